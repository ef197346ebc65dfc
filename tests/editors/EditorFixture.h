#pragma once

#include "link/LinkedFrameFixture.h"
#include "support/ModalScript.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The edit field of a dialog by its name.
inline QLineEdit& Edit(QWidget& dialog, const QString& strName) {
    QLineEdit* pEdit = dialog.findChild<QLineEdit*>(strName);
    EXPECT_NE(pEdit, nullptr) << strName.toStdString();
    return *pEdit;
}

// A step that types into fields, as the technician does, then presses OK.
inline CModalScript::Step TypeAndAccept(std::vector<std::pair<QString, QString>> aFields) {
    return [aFields](QDialog& dialog) {
        for (const auto& [strName, strText] : aFields) {
            Edit(dialog, strName).setText(strText);
            emit Edit(dialog, strName).textEdited(strText);
        }
        dialog.accept();
    };
}

// A main window over its own system whose protocol object talks to a
// scripted controller, the port open; the setup and label commands run
// through its menu items.
class EditorCommandTest : public ScriptedFrameTest {
protected:
    using Frames = std::vector<std::string>;

    void ClosePort() { host.Close(); }
    // The frames written since the last call.
    Frames TakeFrames() {
        Frames astrFrames;
        astrFrames.swap(host.m_astrFrames);
        return astrFrames;
    }
    // The frames written, without the pause, continue and module link
    // frames around the exchanges.
    Frames TakeDataFrames() {
        Frames astrFrames;
        for (const std::string& strFrame : TakeFrames())
            if (strFrame.rfind(":E", 0) != 0 && strFrame.rfind(":I", 0) != 0)
                astrFrames.push_back(strFrame);
        return astrFrames;
    }
};
