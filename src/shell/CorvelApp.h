#pragma once

#include <memory>
#include <string>

class CDesktopShell;
class CMainFrame;
class CModuleTypes;
class CParam1;
class CSystem;
class CZlvComm;
class QSettings;

// The application: creates the main window on the process-wide objects,
// shows it and the Tip of the Day, and runs the exit sequence. The
// process-wide objects are created by main in their fixed order and reached
// through the pointers below while they exist.
class CWinzlv4App {
public:
    static constexpr const char* kProfileOrganisation = "Local AppWizard-Generated Applications";
    static constexpr const char* kProfileApplication = "CorvelII 6.63";

    CWinzlv4App(CSystem& system, CZlvComm& comm, CParam1& param, CModuleTypes& moduleTypes,
                CDesktopShell& shell, QSettings& profile);
    ~CWinzlv4App();

    // strFileName: a system file to open once the window is up, or "".
    bool InitInstance(const std::string& strFileName = {});
    void ShowTipAtStartup();
    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

private:
    CSystem& m_system;
    CZlvComm& m_comm;
    CParam1& m_param;
    CModuleTypes& m_moduleTypes;
    CDesktopShell& m_shell;
    QSettings& m_profile;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

extern CSystem* theSystem;
extern CZlvComm* theComm;
extern CParam1* theParam;
extern CModuleTypes* theModuleTypes;
extern CWinzlv4App* theApp;
