#include "shell/CorvelApp.h"

#include "link/ControllerProtocol.h"
#include "model/System.h"
#include "shell/DesktopShell.h"
#include "shell/MainFrame.h"
#include "shell/TipDlg.h"

#include <QSettings>

CCorvelApp::CCorvelApp(CSystem& system, CControllerProtocol& comm, CSettings& param,
                       CModuleTypes& moduleTypes, CDesktopShell& shell, QSettings& profile)
    : m_system(system), m_comm(comm), m_param(param), m_moduleTypes(moduleTypes), m_shell(shell),
      m_profile(profile) {}

CCorvelApp::~CCorvelApp() { m_shell.SetMainFrame(nullptr); }

// Corvel starts on a default system without a documentation window; a file
// named on the command line is then opened as File > Open or Import ZLV
// file would open it, before the tip of the day.
bool CCorvelApp::InitInstance(const std::string& strFileName) {
    m_pMainFrame =
        std::make_unique<CMainFrame>(m_system, m_param, m_moduleTypes, m_shell, m_profile);
    m_pMainFrame->SetLinkControl(&m_comm);
    m_pMainFrame->SetComm(&m_comm);
    m_pMainFrame->UseSerialControl();
    m_shell.SetMainFrame(m_pMainFrame.get());
    m_pMainFrame->showMaximized();
    if (!strFileName.empty())
        m_pMainFrame->OpenCommandLineFile(strFileName);
    ShowTipAtStartup();
    return true;
}

void CCorvelApp::ShowTipAtStartup() {
    if (CTipDlg::ShowAtStartup(m_profile))
        m_pMainFrame->OnTipOfTheDay();
}
