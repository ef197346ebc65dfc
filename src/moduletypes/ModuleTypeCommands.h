#pragma once

class CSystem;
class CModuleTypes;
class CShellServices;
class QWidget;

// The commands of the module type menu that open dialogs: assigning types to
// modules, the strict checking preference, and creating, editing and
// deleting types. They change the library in memory only; assigning a type
// is the one that changes (and marks) the system.
class CModuleTypeCommands {
public:
    CModuleTypeCommands(CSystem& sys, CModuleTypes& types, CShellServices& shell, QWidget* pParent);

    void OnAssignModuleType();
    void OnModuleTypePreferences();
    void OnCreateModuleType();
    void OnEditModuleType();
    void OnDeleteModuleType();

private:
    bool PickType();

    CSystem& m_sys;
    CModuleTypes& m_types;
    CShellServices& m_shell;
    QWidget* m_pParent;
};
