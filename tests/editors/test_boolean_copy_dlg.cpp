#include "editors/BooleanCommands.h"
#include "editors/BooleanCopyDlg.h"
#include "editors/BooleanEditorFixture.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/Text.h"
#include "support/ModalScript.h"

#include <QPushButton>

namespace {

class BooleanCopyDlgTest : public BooleanEditorTest {
protected:
    CModuleTypes m_types{m_dir.Str(), m_shell};

    static QScrollBar& Scroll(const QWidget& dialog, const char* szName) {
        return *dialog.findChild<QScrollBar*>(szName);
    }
    static void SelectLoop(const QWidget& dialog, const char* szList, int nLoop) {
        auto* pLoops = dialog.findChild<QComboBox*>(szList);
        pLoops->setCurrentIndex(nLoop);
        emit pLoops->activated(nLoop);
    }
    // Makes the destination (loop, module, channel) as the technician would.
    static void Destination(const QWidget& dialog, short nLoop, short nModule, short nChannel) {
        SelectLoop(dialog, "comboDestinationLoop", nLoop);
        Scroll(dialog, "scrollDestinationModule").setSliderPosition(nModule);
        Scroll(dialog, "scrollDestinationChannel").setSliderPosition(nChannel);
    }
    static void Copy(const QWidget& dialog) { Button(dialog, "buttonCopy").click(); }

    // Blue C4 = Yellow A2 AND NOT Blue P10, an output.
    void MakeSource() {
        Select(0, 2, 3);
        sys.SetTermA(0, 161);
        sys.SetTermA(1, 159);
        sys.SetTermNotA(1, true);
        sys.SetOutput(true);
    }
    int CopyMarks() {
        int nMarks = 0;
        for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
            for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
                for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
                    nMarks += sys.Channel(nModule, nChannel, nLoop).m_bCopyMark;
        return nMarks;
    }
};

} // namespace

TEST_F(BooleanCopyDlgTest, OpensWithSourceAndDestinationOnTheCurrentChannel) {
    MakeSource();
    sys.SetModuleLabel(2, 0, "DASH SWITCHES");
    Select(5, 2, 3);
    CBooleanCopyDlg dialog(sys, m_types);
    EXPECT_EQ("COPY BOOLEAN", dialog.windowTitle());
    EXPECT_EQ(0, sys.GetCurLoop()) << "TIMER RUNNING is not an equation loop";
    for (const char* szList : {"comboSourceLoop", "comboDestinationLoop"}) {
        EXPECT_EQ(4, dialog.findChild<QComboBox*>(szList)->count());
        EXPECT_EQ("BLUE LOOP", dialog.findChild<QComboBox*>(szList)->currentText());
    }
    EXPECT_EQ("C", Field(dialog, "editSourceModule"));
    EXPECT_EQ("DASH SWITCHES", Field(dialog, "editSourceModuleLabel"));
    EXPECT_EQ("C4", Field(dialog, "editSourceChannel"));
    EXPECT_EQ("Blue_Chl_C4", Field(dialog, "editSourceChannelLabel"));
    EXPECT_EQ(ToQString(sys.GetEquationText(2, 3, 0)),
              dialog.findChild<QPlainTextEdit*>("editSourceEquation")->toPlainText());
    EXPECT_EQ("C4", Field(dialog, "editDestinationChannel"));
    EXPECT_EQ(15, Scroll(dialog, "scrollSourceModule").maximum());
    EXPECT_EQ(9, Scroll(dialog, "scrollDestinationChannel").maximum());
    EXPECT_EQ(2, Scroll(dialog, "scrollDestinationModule").value());
    EXPECT_EQ(3, Scroll(dialog, "scrollSourceChannel").value());
}

TEST_F(BooleanCopyDlgTest, TheSourceIsTheCurrentChannelTheDestinationStaysInTheDialog) {
    Select(0, 0, 0);
    CBooleanCopyDlg dialog(sys, m_types);
    Scroll(dialog, "scrollSourceModule").triggerAction(QAbstractSlider::SliderPageStepAdd);
    Scroll(dialog, "scrollSourceChannel").triggerAction(QAbstractSlider::SliderPageStepAdd);
    SelectLoop(dialog, "comboSourceLoop", 2);
    EXPECT_EQ(2, sys.GetCurLoop());
    EXPECT_EQ(3, sys.GetCurModule());
    EXPECT_EQ(2, sys.GetCurChannel());
    EXPECT_EQ("D3", Field(dialog, "editSourceChannel"));
    EXPECT_EQ("Virtual_Chl_D3", Field(dialog, "editSourceChannelLabel"));

    Destination(dialog, 1, 15, 9);
    EXPECT_EQ("P10", Field(dialog, "editDestinationChannel"));
    EXPECT_EQ("Yellow_Chl_P10", Field(dialog, "editDestinationChannelLabel"));
    EXPECT_EQ(2, sys.GetCurLoop());
    EXPECT_EQ(3, sys.GetCurModule());
}

TEST_F(BooleanCopyDlgTest, ACopyKeepsTheDestinationsTypeAndLabelAndMarksIt) {
    MakeSource();
    sys.SetCurEquationType(0);
    Select(1, 7, 7);
    sys.SetCurEquationType(3);
    sys.SetCurChannelLabel("FOG LAMP");
    Select(0, 2, 3);
    sys.ClearModified();
    CBooleanCopyDlg dialog(sys, m_types);
    Destination(dialog, 1, 7, 7);
    Copy(dialog);
    const CChannelRecord& copy = sys.Channel(7, 7, 1);
    EXPECT_EQ(161, copy.m_anTermA[0]);
    EXPECT_EQ(1, copy.m_abTermNotA[1]);
    EXPECT_EQ(3, copy.m_nEquationType);
    EXPECT_EQ(1, copy.m_bCopyMark);
    EXPECT_EQ("FOG LAMP", sys.GetChannelLabel(7, 7, 1));
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(ToQString(sys.GetEquationText(7, 7, 1)),
              dialog.findChild<QPlainTextEdit*>("editDestinationEquation")->toPlainText());
    EXPECT_EQ(159, sys.ClipChannel().m_anTermA[1]);
}

TEST_F(BooleanCopyDlgTest, CopyingAChannelOntoItselfLeavesItAsItWasAndMarksIt) {
    MakeSource();
    const std::string strBefore = sys.GetEquationText(2, 3, 0);
    sys.ClearModified();
    CBooleanCopyDlg dialog(sys, m_types);
    Copy(dialog);
    EXPECT_EQ(strBefore, sys.GetEquationText(2, 3, 0));
    EXPECT_EQ(1, sys.Channel(2, 3, 0).m_bCopyMark);
    EXPECT_TRUE(sys.IsModified());
}

TEST_F(BooleanCopyDlgTest, RefusalsComeInTheirOrderAndChangeNothing) {
    ModuleType* pType = m_types.AddType();
    pType->m_abOutput[9] = 1;
    m_types.SetStrictChecking(true);
    MakeSource();
    const struct {
        const char* szWhy;
        short nSourceHiSpeed;
        short nDestinationHiSpeed;
        short nSourceModuleType;
        short nDestinationModuleType;
        const char* szRefusal;
    } aCases[] = {
        {"both high speed and strict", 23, 0, 1, 1, CBooleanCopyDlg::kSourceHiSpeedText},
        {"destination high speed, both strict", -1, 0, 1, 1,
         CBooleanCopyDlg::kDestinationHiSpeedText},
        {"both strict", -1, -1, 1, 1, CBooleanCopyDlg::kSourceStrictText},
        {"destination strict", -1, -1, 0, 1, CBooleanCopyDlg::kDestinationStrictText},
    };
    for (const auto& c : aCases) {
        sys.SetHiSpeedInput(0, c.nSourceHiSpeed);
        sys.SetHiSpeedOutput(0, c.nDestinationHiSpeed);
        sys.SetModuleType(2, 0, c.nSourceModuleType);
        sys.SetModuleType(0, 0, c.nDestinationModuleType);
        sys.ClearModified();
        Select(0, 2, 3);
        CBooleanCopyDlg dialog(sys, m_types);
        Destination(dialog, 0, 0, 0);
        m_shell.ExpectBox(c.szRefusal);
        Copy(dialog);
        EXPECT_FALSE(sys.IsEquationDefined(0, 0, 0)) << c.szWhy;
        EXPECT_EQ(-1, sys.ClipChannel().m_anTermA[0]) << c.szWhy;
        EXPECT_EQ(0, CopyMarks()) << c.szWhy;
        EXPECT_FALSE(sys.IsModified()) << c.szWhy;
    }
    EXPECT_EQ(4u, m_shell.m_aBoxes.size());
}

TEST_F(BooleanCopyDlgTest, CancelUndoesEveryCopyButTheClipboardKeepsTheLastSource) {
    MakeSource();
    CBooleanCommands commands(sys, m_types, m_shell, nullptr);
    {
        CModalScript script;
        script.Then([this](QDialog& dialog) {
            for (short nChannel : {0, 5, 9}) {
                Destination(dialog, 1, 4, nChannel);
                Copy(dialog);
            }
            EXPECT_EQ(3, CopyMarks());
            dialog.reject();
        });
        commands.OnBooleanCopy();
    }
    for (short nChannel : {0, 5, 9})
        EXPECT_FALSE(sys.IsEquationDefined(4, nChannel, 1)) << nChannel;
    EXPECT_EQ(161, sys.ClipChannel().m_anTermA[0]);
    EXPECT_EQ(0, CopyMarks());

    CModalScript keep;
    keep.Then([this](QDialog& dialog) {
        Destination(dialog, 1, 4, 5);
        Copy(dialog);
        dialog.accept();
    });
    commands.OnBooleanCopy();
    EXPECT_TRUE(sys.IsEquationDefined(4, 5, 1)) << "OK with the port closed keeps the copies";
    EXPECT_EQ(0, CopyMarks());
}
