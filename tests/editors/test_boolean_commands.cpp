#include "editors/BooleanCommands.h"
#include "editors/BooleanEditorFixture.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"
#include "support/ModalScript.h"

namespace {

// The Booleans menu's commands over a system of their own, the port closed;
// the dialogs they open are answered by a modal script.
class BooleanCommandsTest : public BooleanEditorTest {
protected:
    CModuleTypes m_types{m_dir.Str(), m_shell};
    CBooleanCommands m_commands{sys, m_types, m_shell, nullptr};

    // A picker step that checks it opened on the channel expected, then
    // answers it.
    CModalScript::Step PickerOn(short nModule, short nChannel, bool bAccept = true) {
        return [this, nModule, nChannel, bAccept](QDialog& dialog) {
            EXPECT_STREQ("CChannelPicker", dialog.metaObject()->className());
            EXPECT_EQ(nModule, sys.GetCurModule());
            EXPECT_EQ(nChannel, sys.GetCurChannel());
            bAccept ? dialog.accept() : dialog.reject();
        };
    }
    // A picker step that chooses a channel as the technician would.
    static CModalScript::Step Choose(short nLoop, short nModule, short nChannel) {
        return [nLoop, nModule, nChannel](QDialog& dialog) {
            auto* pLoops = dialog.findChild<QComboBox*>("comboLoop");
            pLoops->setCurrentIndex(nLoop);
            emit pLoops->activated(nLoop);
            dialog.findChild<QScrollBar*>("scrollModule")->setSliderPosition(nModule);
            Button(dialog, QString("radioChannel%1").arg(nChannel + 1)).click();
            dialog.accept();
        };
    }
};

} // namespace

TEST_F(BooleanCommandsTest, TheEditorStepsToTheNextChannelAfterEachPass) {
    Select(0, 15, 9);
    CModalScript script;
    script.Then(PickerOn(15, 9))
        .Then([this](QDialog& dialog) {
            EXPECT_STREQ("CBooleanEditor", dialog.metaObject()->className());
            EXPECT_EQ("P", Field(dialog, "editModule"));
            EXPECT_EQ("10", Field(dialog, "editChannel"));
            Type(dialog, "editModuleA1", "A");
            Box(dialog, "checkOutput").click();
            dialog.accept();
        })
        .Then(PickerOn(0, 0))
        .Then(CModalScript::Reject())
        .Then(PickerOn(0, 1, false));
    m_commands.OnBooleanEditor();
    EXPECT_EQ(0, sys.Channel(15, 9, 0).m_anTermA[0]);
    EXPECT_EQ(1, sys.GetCurChannel()) << "Cancel steps on as OK does";
    EXPECT_GE(m_shell.m_nTitleUpdates, 2);
}

TEST_F(BooleanCommandsTest, HighSpeedAndStrictlyCheckedChannelsAreRefused) {
    sys.SetHiSpeedOutput(2, CSystem::MakeIndex(0, 4, 2));
    ModuleType* pType = m_types.AddType();
    pType->m_abOutput[0] = 1;
    m_types.SetStrictChecking(true);
    sys.SetModuleType(6, 1, pType->m_nId);
    Select(0, 4, 2);
    m_shell.ExpectBox(CBooleanCommands::kHiSpeedText);
    m_shell.ExpectBox(CBooleanCommands::kStrictText);
    {
        CModalScript script;
        script.Then(PickerOn(4, 2)).Then(Choose(1, 6, 1)).Then(PickerOn(6, 2, false));
        m_commands.OnBooleanEditor();
        EXPECT_EQ(script.Seen(),
                  (std::vector<QString>{"CChannelPicker", "CChannelPicker", "CChannelPicker"}));
    }
    CModalScript script;
    script.Then(Choose(1, 6, 0)).Then(CModalScript::Reject()).Then(CModalScript::Reject());
    m_commands.OnBooleanEditor();
    EXPECT_EQ(script.Seen(),
              (std::vector<QString>{"CChannelPicker", "CBooleanEditor", "CChannelPicker"}))
        << "channel 1 is an output of the module's type";
}

TEST_F(BooleanCommandsTest, CancelPutsBackWhatCutStoredButTheClipboardAndTypeStay) {
    Select(1, 2, 3);
    sys.SetTermB(2, 300);
    sys.SetOutput(true);
    CModalScript script;
    script.Then(CModalScript::Accept())
        .Then([](QDialog& dialog) {
            Button(dialog, "buttonType").click();
            Button(dialog, "buttonCut").click();
            dialog.reject();
        })
        .Then(CModalScript::Reject());
    m_commands.OnBooleanEditor();
    const CChannelRecord& record = sys.Channel(2, 3, 1);
    EXPECT_EQ(300, record.m_anTermB[2]);
    EXPECT_EQ(1, record.m_bOutput);
    EXPECT_EQ(1, record.m_nEquationType) << "the type chosen stays";
    EXPECT_EQ(300, sys.ClipChannel().m_anTermB[2]);
}

TEST_F(BooleanCommandsTest, EditCurrentEquationOpensTheEditorOnTheCurrentChannelAlone) {
    Select(2, 7, 7);
    CModalScript script;
    script.Then([](QDialog& dialog) {
        EXPECT_EQ("VIRTUAL LOOP", Field(dialog, "editLoopName"));
        EXPECT_EQ("H", Field(dialog, "editModule"));
        EXPECT_EQ("8", Field(dialog, "editChannel"));
        dialog.accept();
    });
    m_commands.EditCurrentEquation();
    EXPECT_EQ(7, sys.GetCurChannel());
    EXPECT_TRUE(sys.GetOutput()) << "a VIRTUAL channel always drives its state";
}

TEST_F(BooleanCommandsTest, ClearEmptiesChannelsOneAfterAnotherAndCountsAsAChange) {
    Select(0, 15, 9);
    sys.SetCurChannelLabel("WIPER");
    sys.SetTermA(0, 3);
    sys.SetOutput(true);
    sys.SetCurEquationType(2);
    Select(0, 0, 0);
    sys.SetTermB(1, 4);
    Select(0, 15, 9);
    sys.ClearModified();
    m_shell.ExpectBox(CBooleanCommands::kClearAnotherText, EBoxAnswer::Yes);
    m_shell.ExpectBox(CBooleanCommands::kClearAnotherText, EBoxAnswer::No);
    CModalScript script;
    script.Then(PickerOn(15, 9)).Then(PickerOn(0, 0));
    m_commands.OnBooleanClear();

    EXPECT_FALSE(sys.IsEquationDefined(15, 9, 0));
    EXPECT_EQ(0, sys.Channel(15, 9, 0).m_bOutput);
    EXPECT_EQ(2, sys.Channel(15, 9, 0).m_nEquationType);
    EXPECT_EQ("Blue_Chl_P10", sys.GetChannelLabel(15, 9, 0));
    EXPECT_FALSE(sys.IsEquationDefined(0, 0, 0));
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(0, sys.GetCurChannel()) << "No ends on the channel just cleared";
}

TEST_F(BooleanCommandsTest, ClearRefusesAHighSpeedChannelAndGoesOn) {
    sys.SetHiSpeedInput(0, CSystem::MakeIndex(0, 0, 0));
    Select(0, 0, 0);
    sys.SetTermA(0, 3);
    m_shell.ExpectBox(CBooleanCommands::kHiSpeedText);
    CModalScript script;
    script.Then(PickerOn(0, 0)).Then(PickerOn(0, 1, false));
    m_commands.OnBooleanClear();
    EXPECT_EQ(3, sys.Channel(0, 0, 0).m_anTermA[0]);
}

TEST_F(FrameTest, TheBooleanMenuAndButtonOpenTheChannelPicker) {
    for (int nId : {ID_BOOLEAN_EDITOR, ID_BOOLEAN_EDITOR_BUTTON, ID_BOOLEAN_CLEAR}) {
        CModalScript script;
        script.Then(CModalScript::Reject());
        Trigger(nId);
        EXPECT_EQ(script.Seen(), std::vector<QString>{"CChannelPicker"}) << nId;
    }
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}
