#include "link/CompareCommand.h"
#include "link/LinkFixture.h"
#include "link/ScriptedTransferHost.h"
#include "link/TransferCommands.h"
#include "model/Archive.h"

#include <cstdio>
#include <functional>

namespace {

using Texts = std::vector<std::string>;

class CompareTest : public LinkTest {
protected:
    CompareTest() {
        m_shell.AllowOkBoxes();
        // The controller holds what a transfer of a fresh system leaves: the
        // system labels and timer reloads as the PC has them.
        m_fnController = [this](const std::string& strFrame) {
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
        host.m_fnAnswer = m_fnController;
    }

    std::vector<unsigned char> Stored() {
        CArchive ar;
        sys.Serialize(ar);
        return ar.Buffer();
    }

    // The controller as a transfer of a fresh system leaves it.
    std::function<std::string(const std::string&)> m_fnController;
    CScriptedTransferHost m_host{sys, comm, m_shell, host};
    CCompareCommand m_compare{sys, comm, m_shell, m_host};
};

TEST_F(CompareTest, WithThePortClosedSaysSoAndSendsNothing) {
    host.m_bOpen = false;
    EXPECT_FALSE(m_compare.OnCompare());
    EXPECT_EQ(m_shell.BoxTexts(), Texts{"COM PORT NOT OPEN."});
    EXPECT_EQ(m_shell.m_aBoxes.back().icon, EBoxIcon::Exclamation);
    EXPECT_TRUE(TakeFrames().empty());
}

TEST_F(CompareTest, TheSameSystemIsSaidSo) {
    EXPECT_FALSE(m_compare.OnCompare());
    EXPECT_EQ(m_shell.BoxTexts(), Texts{"The DVX CPU holds the same system as the PC."});
    EXPECT_EQ(m_shell.m_aBoxes.back().icon, EBoxIcon::Information);
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
    ASSERT_FALSE(host.m_aProgress.empty());
    const CScriptedController::Progress compared = host.m_aProgress.back();
    EXPECT_EQ(compared.nDone, compared.nTotal);
    host.m_aProgress.clear();
    m_host.m_nGroup = CSystem::GroupSystem;
    m_shell.ExpectBox("Changes have been made. Do you wish to save?", EBoxAnswer::No);
    CTransferCommands(sys, comm, m_shell, m_host).OnRetrieve();
    EXPECT_EQ(astrCompared, TakeFrames());
    ASSERT_FALSE(host.m_aProgress.empty());
    EXPECT_EQ(compared.nTotal, host.m_aProgress.back().nTotal) << "the bar counts the same reads";
}

// A read that did not bring the whole system back is never compared: the
// port closing under it and an answer that is not what its frame asks for
// each say so once.
TEST_F(CompareTest, AnIncompleteReadSaysWhyAndShowsNothing) {
    struct Case {
        const char* szName;
        std::function<std::string(const std::string&)> fnAnswer;
        const char* szBox;
    };
    const Case aCases[] = {
        {"port closed",
         [this](const std::string& strFrame) {
             if (strFrame.rfind(":K1", 0) != 0)
                 return m_fnController(strFrame);
             host.Close();
             return std::string();
         },
         "COMPARE INTERRUPTED: THE COM PORT CLOSED BEFORE ALL DATA WAS RECEIVED."},
        {"damaged timer answer",
         [this](const std::string& strFrame) {
             return strFrame == ":TR05\r" ? std::string("ZZ\r\n") : m_fnController(strFrame);
         },
         "COMPARE NOT POSSIBLE: SOME ANSWERS FROM THE DVX CPU WERE DAMAGED."},
    };
    Select(0, 0, 0);
    sys.SetCurChannelLabel("HORN");
    const std::vector<unsigned char> before = Stored();
    for (const Case& test : aCases) {
        host.m_bOpen = true;
        comm.SetPortOpen(true);
        m_host.m_astrCalls.clear();
        host.m_fnAnswer = test.fnAnswer;
        EXPECT_FALSE(m_compare.OnCompare()) << test.szName;
        EXPECT_EQ(m_shell.BoxTexts(), Texts{test.szBox}) << test.szName;
        EXPECT_EQ(Stored(), before) << test.szName;
        EXPECT_EQ(m_host.m_astrCalls.back(), "continue") << test.szName;
        m_shell.m_aBoxes.clear();
    }
}

} // namespace
