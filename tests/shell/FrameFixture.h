#pragma once

#include "model/system.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/MainFrm.h"
#include "shell/param1.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <memory>

// A main window of its own over its own system on a temporary launch
// directory, with the scripted shell and a profile in that directory.
class FrameTest : public ::testing::Test {
protected:
    CTempDir m_dir;
    CShellRecorder m_shell;
    std::unique_ptr<CSystem> m_pSystem = std::make_unique<CSystem>(m_shell, m_dir.Str());
    CSystem& sys = *m_pSystem;
    CParam1 m_param{m_dir.Str(), m_shell};
    CModuleTypes m_types{m_dir.Str(), m_shell};
    QSettings m_profile{QString::fromStdString(m_dir.File("profile.ini")), QSettings::IniFormat};
    std::unique_ptr<CMainFrame> m_pFrame =
        std::make_unique<CMainFrame>(sys, m_param, m_types, m_shell, m_profile);
    CMainFrame& frame = *m_pFrame;

    void Trigger(int nId) { frame.Action(nId)->trigger(); }
};
