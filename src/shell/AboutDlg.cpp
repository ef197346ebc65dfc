#include "shell/AboutDlg.h"

#include "shell/HelpRouter.h"
#include "shell/ToolbarIcons.h"
#include "ui_AboutDlg.h"

CAboutDlg::CAboutDlg(QWidget* pParent)
    : QDialog(pParent), m_pUi(std::make_unique<Ui::CAboutDlg>()) {
    m_pUi->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "about");
    m_pUi->iconLabel->setPixmap(CToolbarIcons::ProgramIcon().pixmap(48, 48));
    m_pUi->toolkitLabel->setText(QString("Built with Qt %1").arg(QT_VERSION_STR));
    QFont font = m_pUi->versionLabel->font();
    font.setBold(true);
    m_pUi->versionLabel->setFont(font);
}

CAboutDlg::~CAboutDlg() = default;
