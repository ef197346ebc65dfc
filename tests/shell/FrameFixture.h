#pragma once

#include "model/SystemFixture.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/MainFrame.h"
#include "shell/Settings.h"

#include <QMenu>
#include <QSettings>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A main window of its own over its own system on a temporary launch
// directory, with the scripted shell and a profile in that directory.
class FrameTest : public SystemTest {
protected:
    CSettings m_param{m_dir.Str(), m_shell};
    CModuleTypes m_types{m_dir.Str(), m_shell};
    QSettings m_profile{QString::fromStdString(m_dir.File("profile.ini")), QSettings::IniFormat};
    std::unique_ptr<CMainFrame> m_pFrame =
        std::make_unique<CMainFrame>(sys, m_param, m_types, m_shell, m_profile);
    CMainFrame& frame = *m_pFrame;

    void Trigger(int nId) { frame.Action(nId)->trigger(); }

    // The popup that pOwner (the menu bar or a menu) opens under strText.
    static QMenu* MenuOf(const QWidget* pOwner, const QString& strText) {
        for (QAction* pAction : pOwner->actions())
            if (pAction->text() == strText)
                return pAction->menu();
        return nullptr;
    }
    // The item texts of the menu bar or a menu, "-" for a separator.
    static std::vector<std::string> Texts(const QWidget* pOwner) {
        std::vector<std::string> astrTexts;
        for (QAction* pAction : pOwner->actions())
            astrTexts.push_back(pAction->isSeparator() ? "-" : pAction->text().toStdString());
        return astrTexts;
    }
};
