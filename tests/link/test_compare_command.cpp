#include "link/CompareCommand.h"
#include "link/LinkFixture.h"
#include "link/ScriptedTransferHost.h"
#include "link/TransferCommands.h"
#include "model/Archive.h"

#include <cstdio>

namespace {

using Texts = std::vector<std::string>;

class CompareTest : public LinkTest {
protected:
    CompareTest() {
        m_shell.AllowOkBoxes();
        // The controller holds what a transfer of a fresh system leaves: the
        // system labels and timer reloads as the PC has them.
        host.m_fnAnswer = [this](const std::string& strFrame) {
            if (strFrame.rfind(":V0", 0) == 0)
                return sys.GetSysLabel(static_cast<short>(strFrame[3] - '0')) + "\r\n";
            if (strFrame.rfind(":TR", 0) == 0 && strFrame.size() == 6) {
                short nTimer = static_cast<short>(std::stoi(strFrame.substr(3, 2), nullptr, 16));
                char szCount[8];
                std::snprintf(szCount, sizeof szCount, "%02X\r\n", sys.GetTimerReloadCount(nTimer));
                return std::string(szCount);
            }
            return CScriptedController::DefaultAnswer(strFrame);
        };
    }

    std::vector<unsigned char> Stored() {
        CArchive ar;
        sys.Serialize(ar);
        return ar.Buffer();
    }

    CScriptedTransferHost m_host{sys, comm, m_shell, host};
    CCompareCommand m_compare{sys, comm, m_shell, m_host};
};

TEST_F(CompareTest, WithThePortClosedSaysSoAndSendsNothing) {
    host.m_bOpen = false;
    EXPECT_FALSE(m_compare.OnCompare());
    EXPECT_EQ(m_shell.BoxTexts(), Texts{"COM PORT NOT OPEN."});
    EXPECT_TRUE(TakeFrames().empty());
}

TEST_F(CompareTest, TheSameSystemIsSaidSo) {
    EXPECT_FALSE(m_compare.OnCompare());
    EXPECT_EQ(m_shell.BoxTexts(), Texts{"The DVX CPU holds the same system as the PC."});
}

// The compare reads what a whole-system retrieve reads, in the same
// brackets, and writes nothing into the technician's record.
TEST_F(CompareTest, ListsTheDifferencesAndLeavesTheSystemAlone) {
    Select(1, 2, 3);
    sys.SetCurChannelLabel("HORN");
    sys.SetModified();
    sys.SetFilePath("/fleet/BUS7.DVX");
    std::vector<unsigned char> before = Stored();

    auto aDiffs = m_compare.OnCompare();
    ASSERT_TRUE(aDiffs);
    ASSERT_EQ(CSystemDiff::CountDifferences(*aDiffs), 1);
    EXPECT_EQ(aDiffs->front(),
              (CSystemDifference{"YELLOW LOOP C4 label", "HORN", "Yellow_Chl_C4", false}));
    EXPECT_TRUE(m_shell.BoxTexts().empty());
    EXPECT_EQ(Stored(), before);
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(sys.GetCurLoop(), 1);
    EXPECT_EQ(m_host.m_astrCalls, (Texts{"pause", "busy", "wait Reading system from DVX CPU ...",
                                         "close wait", "not busy", "continue"}));

    Texts astrCompared = TakeFrames();
    m_host.m_nGroup = CSystem::GroupSystem;
    m_shell.ExpectBox("Changes have been made. Do you wish to save?", EBoxAnswer::No);
    CTransferCommands(sys, comm, m_shell, m_host).OnRetrieve();
    EXPECT_EQ(astrCompared, TakeFrames());
}

TEST_F(CompareTest, AnInterruptedReadSaysSoAndShowsNothing) {
    Select(0, 0, 0);
    sys.SetCurChannelLabel("HORN");
    std::vector<unsigned char> before = Stored();
    host.m_fnAnswer = [this](const std::string& strFrame) {
        if (strFrame.rfind(":K1", 0) != 0)
            return CScriptedController::DefaultAnswer(strFrame);
        host.Close();
        return std::string();
    };
    EXPECT_FALSE(m_compare.OnCompare());
    EXPECT_EQ(m_shell.BoxTexts(),
              Texts{"COMPARE INTERRUPTED: THE COM PORT CLOSED BEFORE ALL DATA WAS RECEIVED."});
    EXPECT_EQ(Stored(), before);
    EXPECT_EQ(m_host.m_astrCalls.back(), "continue");
}

} // namespace
