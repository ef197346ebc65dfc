#include "dvxsim/DvxSimProcess.h"
#include "link/FullSystem.h"
#include "link/SerialView.h"
#include "link/TransferCommands.h"
#include "link/zlvcomm.h"
#include "model/system.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/CommandIds.h"
#include "shell/MainFrm.h"
#include "shell/param1.h"
#include "support/ModalScript.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const kPortVariable = "CORVEL_COM1";

// The whole main window on its serial control, port 1 pointed at dvxsim:
// what a technician does through the menus and sees in the window.
class FrameEndToEnd : public ::testing::Test {
protected:
    FrameEndToEnd() {
        m_shell.AllowOkBoxes();
        qputenv(kPortVariable, QByteArray::fromStdString(m_dir.File("dvx-com1")));
        frame.SetLinkControl(&comm);
        frame.SetComm(&comm);
        frame.UseSerialControl();
    }
    ~FrameEndToEnd() override {
        if (frame.IsPortOpen())
            Trigger(ID_PORT_OPEN);
        qunsetenv(kPortVariable);
    }

    void Trigger(int nId) { frame.Action(nId)->trigger(); }
    static CModalScript::Step ChooseScope(int nGroup) {
        return [nGroup](QDialog& dialog) {
            dialog.findChild<QAbstractButton*>(QString("radioGroup%1").arg(nGroup))->click();
            dialog.accept();
        };
    }

    CTempDir m_dir;
    CShellRecorder m_shell;
    CSystem sys{m_shell, m_dir.Str()};
    CParam1 param{m_dir.Str(), m_shell};
    CZlvComm comm{sys, m_shell};
    QSettings m_profile{QString::fromStdString(m_dir.File("profile.ini")), QSettings::IniFormat};
    CModuleTypes moduleTypes{m_dir.Str(), m_shell};
    CMainFrame frame{sys, param, moduleTypes, m_shell, m_profile};
    CDvxSimProcess sim{m_dir.File("dvx-com1"), {}, false};
};

} // namespace

TEST_F(FrameEndToEnd, TransferFromTheMenusWithTheSerialViewerOpen) {
    ASSERT_TRUE(sim.IsStarted());
    Trigger(ID_PORT_OPEN);
    ASSERT_TRUE(frame.IsPortOpen());
    Trigger(ID_SERIAL_VIEWER);
    Trigger(ID_START_DVX_LINK);
    {
        CModalScript script;
        script.Then(ChooseScope(CSystem::GroupSystem));
        Trigger(ID_TRANSFER_TO_CPU);
    }
    EXPECT_EQ(m_shell.BoxTexts(), std::vector<std::string>{"UPLOAD SUCCESSFUL"});
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
    EXPECT_EQ(frame.cursor().shape(), Qt::ArrowCursor);
    EXPECT_NE(sim.Console("status").find("module link on"), std::string::npos);

    QListWidget& outbound = frame.SerialView()->Outbound();
    ASSERT_EQ(outbound.count(), 101);
    EXPECT_EQ(outbound.item(100)->text(), ":I1<CR>");
    EXPECT_EQ(outbound.currentRow(), 100);
    QListWidget& inbound = frame.SerialView()->Inbound();
    EXPECT_EQ(inbound.count(), 101);
    EXPECT_TRUE(inbound.item(100)->text().startsWith("<LF>")) << "the line before ended there";
    EXPECT_TRUE(inbound.item(100)->text().endsWith("<CR>"));
}

TEST_F(FrameEndToEnd, ClosingThePortDuringASystemRetrievePutsTheSystemBack) {
    ASSERT_TRUE(sim.IsStarted());
    FillSystem(sys);
    const std::vector<std::string> astrBefore = TransferredFields(sys);
    Trigger(ID_PORT_OPEN);
    ASSERT_TRUE(frame.IsPortOpen());
    CModalScript script;
    script.Then(ChooseScope(CSystem::GroupSystem));
    // The technician closes the port while the equations are being read.
    QTimer::singleShot(300, &frame, [this] { Trigger(ID_PORT_OPEN); });
    Trigger(ID_RETRIEVE_FROM_CPU);

    EXPECT_FALSE(frame.IsPortOpen());
    EXPECT_EQ(m_shell.BoxTexts(), std::vector<std::string>{CTransferCommands::kSystemPutBackText});
    EXPECT_EQ(TransferredFields(sys), astrBefore);
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
}
