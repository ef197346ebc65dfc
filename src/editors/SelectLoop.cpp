#include "editors/SelectLoop.h"

#include "model/System.h"

#include "ui_SelectLoop.h"

namespace {

int FirstLoopWithoutViewer(const std::function<bool(int)>& isViewerOpen) {
    for (int nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        if (!isViewerOpen || !isViewerOpen(nLoop))
            return nLoop;
    }
    return 0;
}

} // namespace

CSelectLoop::CSelectLoop(CSystem& sys, std::function<bool(int)> isViewerOpen, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_ui(std::make_unique<Ui::CSelectLoop>()) {
    m_ui->setupUi(this);
    m_ui->comboLoop->setCurrentIndex(FirstLoopWithoutViewer(isViewerOpen));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CSelectLoop::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CSelectLoop::reject);
}

CSelectLoop::~CSelectLoop() = default;

void CSelectLoop::accept() {
    m_sys.SetPickedLoop(m_ui->comboLoop->currentIndex());
    QDialog::accept();
}
