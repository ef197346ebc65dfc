#include "diagnostics/LoopStatusViewer.h"

#include "controls/LampColumn.h"
#include "diagnostics/LampGrid.h"
#include "diagnostics/LampNames.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"

#include "ui_LoopStatusViewer.h"

CLoopStatusViewer::CLoopStatusViewer(CSystem& system, short nLoop, QWidget* pParent)
    : QDialog(pParent), m_system(system), m_ui(std::make_unique<Ui::CLoopStatusViewer>()),
      m_nLoop(nLoop) {
    m_ui->setupUi(this);
    // A dialog window, not a plain one: window managers keep a dialog above
    // the window it belongs to and minimise it with it, so the lamps stay in
    // sight while the technician works in the main window.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setProperty(CHelpRouter::kSectionProperty, "loop-viewer");
    Lamps().ShowOuterLabels(false);
    Lamps().SetLampNamer(LoopLampNamer(m_system, [this] { return m_nLoop; }));
    // Viewers only display: a click on a lamp does nothing.
    Lamps().setAttribute(Qt::WA_TransparentForMouseEvents);
    m_timer.setInterval(kTimerPeriod);
    connect(&m_timer, &QTimer::timeout, this, &CLoopStatusViewer::OnTimer);
    OnInitDialog();
}

// A viewer that goes without being closed, with the main window for
// example, still tells its owner, so its loop's reports are switched off.
CLoopStatusViewer::~CLoopStatusViewer() { CloseDown(); }

CLampGrid& CLoopStatusViewer::Lamps() const { return *m_ui->ledGrid; }

void CLoopStatusViewer::OnInitDialog() {
    m_nTimerId = kFirstTimerId + m_nLoop;
    SetLedColours();
    RefreshDisplay();
    m_timer.start();
    if (!m_timer.isActive()) {
        m_system.Shell().MessageBox(kTimerErrorText, EBoxButtons::Ok, EBoxIcon::Stop);
        return;
    }
    setWindowTitle(ToQString(CSystem::GetLoopName(m_nLoop) + kCaptionTail));
}

void CLoopStatusViewer::SetLedColours() {
    const CRgb colour = CSystem::GetLoopColour(m_nLoop);
    Lamps().SetOnColor(CLampColumn::ColorRef(colour.r, colour.g, colour.b));
}

void CLoopStatusViewer::RefreshDisplay() {
    for (short nModule = 0; nModule < CLampGrid::kColumns; ++nModule)
        Lamps().Column(nModule).SetValue(m_system.GetModuleStateBits(nModule, m_nLoop));
}

// The owner forgets the viewer and switches its loop's reports off before
// the window goes.
void CLoopStatusViewer::reject() {
    CloseDown();
    QDialog::reject();
    deleteLater();
}

void CLoopStatusViewer::CloseDown() {
    m_timer.stop();
    if (m_bClosed)
        return;
    m_bClosed = true;
    emit Closed(m_nLoop);
}
