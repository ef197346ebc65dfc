#pragma once

#include <memory>
#include <string>

class CDesktopShell;
class CMainFrame;
class CModuleTypes;
class CSettings;
class CSystem;
class CControllerProtocol;
class QSettings;

// The application: creates the main window on the process-wide objects,
// shows it and the Tip of the Day, and runs the exit sequence. The
// process-wide objects are created by main in their fixed order and handed
// to it by reference; nothing reaches them through a global.
class CCorvelApp {
public:
    static constexpr const char* kProfileOrganisation = "Local AppWizard-Generated Applications";
    static constexpr const char* kProfileApplication = "CorvelII 6.63";

    CCorvelApp(CSystem& system, CControllerProtocol& comm, CSettings& param,
               CModuleTypes& moduleTypes, CDesktopShell& shell, QSettings& profile);
    ~CCorvelApp();

    // strFileName: a system file to open once the window is up, or "".
    bool InitInstance(const std::string& strFileName = {});
    void ShowTipAtStartup();
    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

private:
    CSystem& m_system;
    CControllerProtocol& m_comm;
    CSettings& m_param;
    CModuleTypes& m_moduleTypes;
    CDesktopShell& m_shell;
    QSettings& m_profile;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
