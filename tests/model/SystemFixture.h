#pragma once

#include "model/System.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

// A system of its own on a temporary launch directory.
class SystemTest : public ::testing::Test {
protected:
    CTempDir m_dir;
    CShellRecorder m_shell;
    std::unique_ptr<CSystem> m_pSystem = std::make_unique<CSystem>(m_shell, m_dir.Str());
    CSystem& sys = *m_pSystem;

    void Select(short nLoop, short nModule, short nChannel) {
        sys.SetCurLoop(nLoop);
        sys.SetCurModule(nModule);
        sys.SetCurChannel(nChannel);
    }
};
