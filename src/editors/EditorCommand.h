#pragma once

class CMainFrame;
class CModuleTypes;
class CShellServices;
class CSystem;
class CControllerProtocol;

// What the setup and label commands share: the system they edit, the module
// type library, the main window's link services and the protocol object.
// Without a protocol object the port counts as closed and nothing is sent.
class CEditorCommand {
public:
    CEditorCommand(CMainFrame& frame, CSystem& sys, CShellServices& shell, CModuleTypes& types)
        : m_frame(frame), m_sys(sys), m_shell(shell), m_types(types) {}

protected:
    bool IsPortOpen() const;
    // The protocol object; only while IsPortOpen.
    CControllerProtocol& Comm() const;
    // An exchange the command reports: a failure gives the transmission
    // error, and the command goes on.
    void Report(bool bOk);

    CMainFrame& m_frame;
    CSystem& m_sys;
    CShellServices& m_shell;
    CModuleTypes& m_types;
};
