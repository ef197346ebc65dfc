#include "shell/TipDlg.h"

#include "model/ShellServices.h"
#include "shell/HelpRouter.h"
#include "shell/ToolbarIcons.h"
#include "ui_TipDlg.h"

#include <QFileInfo>
#include <QSettings>

#include <ctime>

namespace {

const char* const kStartUpKey = "Tip/StartUp";
const char* const kFilePosKey = "Tip/FilePos";
const char* const kTimeStampKey = "Tip/TimeStamp";

bool IsTipLine(const QByteArray& line) {
    if (line.isEmpty())
        return false;
    char c = line.front();
    return c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != ';';
}

} // namespace

CTipDlg::CTipDlg(QSettings& profile, const QString& strTipsPath, CShellServices& shell,
                 QWidget* pParent)
    : QDialog(pParent), m_pUi(std::make_unique<Ui::CTipDlg>()), m_profile(profile), m_shell(shell),
      m_file(strTipsPath) {
    m_pUi->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "tips");
    QPalette palette = m_pUi->tipArea->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_pUi->tipArea->setPalette(palette);
    m_pUi->bulbLabel->setPixmap(CToolbarIcons::TipBulb().pixmap(40, 40));
    QFont heading = m_pUi->headingLabel->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    m_pUi->headingLabel->setFont(heading);
    connect(m_pUi->nextButton, &QPushButton::clicked, this, &CTipDlg::OnNextTip);

    m_pUi->startupCheck->setChecked(ShowAtStartup(profile));
    qint64 nPos = profile.value(kFilePosKey, 0).toLongLong();
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_strTip = kMissingText;
        m_pUi->nextButton->setEnabled(false);
    } else {
        QString strStamp = StampOf(strTipsPath);
        if (strStamp != profile.value(kTimeStampKey).toString()) {
            nPos = 0;
            profile.setValue(kTimeStampKey, strStamp);
        }
        if (nPos < 0 || nPos > m_file.size() || !m_file.seek(nPos))
            m_shell.MessageBox(kTroubleText, EBoxButtons::Ok, EBoxIcon::Exclamation);
        else
            ReadNextTip();
    }
    m_pUi->tipLabel->setText(m_strTip.trimmed());
}

// However the dialog closes, the next showing goes on after this tip.
CTipDlg::~CTipDlg() {
    if (m_file.isOpen())
        m_profile.setValue(kFilePosKey, m_file.pos());
}

bool CTipDlg::ShowAtStartup(QSettings& profile) {
    return profile.value(kStartUpKey, 0).toInt() == 0;
}

QString CTipDlg::StampOf(const QString& strPath) {
    std::time_t modified = QFileInfo(strPath).lastModified().toSecsSinceEpoch();
    std::tm local{};
    char szText[64] = {};
    if (!localtime_r(&modified, &local) || !asctime_r(&local, szText))
        return {};
    return QString::fromLatin1(szText).trimmed();
}

void CTipDlg::OnNextTip() {
    ReadNextTip();
    m_pUi->tipLabel->setText(m_strTip.trimmed());
}

void CTipDlg::accept() {
    m_profile.setValue(kStartUpKey, m_pUi->startupCheck->isChecked() ? 0 : 1);
    QDialog::accept();
}

// One pass over the whole file at most: a file without any tip shows an
// empty tip instead of searching for ever.
void CTipDlg::ReadNextTip() {
    bool bWrapped = false;
    for (;;) {
        if (m_file.atEnd()) {
            if (bWrapped || !Rewind()) {
                m_strTip.clear();
                return;
            }
            bWrapped = true;
            continue;
        }
        QByteArray line = m_file.readLine(kMaxLine + 1);
        if (IsTipLine(line)) {
            m_strTip = QString::fromUtf8(line);
            return;
        }
    }
}

bool CTipDlg::Rewind() {
    if (m_file.seek(0))
        return true;
    m_shell.MessageBox(kTroubleText, EBoxButtons::Ok, EBoxIcon::Exclamation);
    return false;
}
