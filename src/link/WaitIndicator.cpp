#include "link/WaitIndicator.h"

#include "controls/Animation.h"
#include "model/ShellServices.h"
#include "shell/DataFiles.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"
#include "ui_WaitIndicator.h"

#include <QDir>
#include <QProgressBar>

CWaitIndicator::CWaitIndicator(const std::string& strLaunchDir, CShellServices& shell,
                               QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_pUi(std::make_unique<Ui::CWaitIndicator>()), m_strLaunchDir(strLaunchDir), m_shell(shell) {
    m_pUi->setupUi(this);
    setObjectName("WaitIndicator");
    setModal(false);
    setProperty(CHelpRouter::kSectionProperty, "wait");
}

CWaitIndicator::~CWaitIndicator() = default;

CAnimation& CWaitIndicator::Animation() const { return *m_pUi->IDC_ANIMATE; }

QLabel& CWaitIndicator::TextLine() const { return *m_pUi->IDC_WAIT_TEXT; }

QPushButton& CWaitIndicator::StopButton() const { return *m_pUi->IDC_STOP; }

QProgressBar& CWaitIndicator::ProgressBar() const { return *m_pUi->IDC_PROGRESS; }

QLabel& CWaitIndicator::TimeLine() const { return *m_pUi->IDC_TIME_LEFT; }

void CWaitIndicator::SetProgress(int nDone, int nTotal, std::chrono::milliseconds timeLeft) {
    ProgressBar().setRange(0, nTotal);
    ProgressBar().setValue(nDone);
    ProgressBar().show();
    m_strTimeLeft = TimeLeftText(timeLeft);
    UpdateTimeLine();
}

void CWaitIndicator::SetNotAnswering(const QString& strText) {
    m_strNotAnswering = strText;
    UpdateTimeLine();
}

QString CWaitIndicator::TimeLeftText(std::chrono::milliseconds timeLeft) {
    auto nSeconds = std::chrono::ceil<std::chrono::seconds>(timeLeft).count();
    return QString("Time left: %1:%2").arg(nSeconds / 60).arg(nSeconds % 60, 2, 10, QChar('0'));
}

void CWaitIndicator::UpdateTimeLine() {
    const QString& strText = m_strNotAnswering.isEmpty() ? m_strTimeLeft : m_strNotAnswering;
    TimeLine().setText(strText);
    TimeLine().setVisible(!strText.isEmpty());
}

// The animation is looked for beside the working files first, so a
// technician may use his own, then in Corvel's data folder.
void CWaitIndicator::OnInitDialog() {
    QString strPath = QDir::toNativeSeparators(FindDataFile(m_strLaunchDir, kFileName));
    m_shell.Trace("Wait file path = " + PathFromQString(strPath) + "\n");
    switch (Animation().Open(strPath)) {
    case CAviReader::EResult::Ok:
        break;
    case CAviReader::EResult::Unreadable:
        m_shell.MessageBox("Could not open/find WAIT.AVI file", EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        break;
    case CAviReader::EResult::TooLarge:
        m_shell.MessageBox("Out of memory for AVI animation", EBoxButtons::Ok, EBoxIcon::Stop);
        break;
    }
}
