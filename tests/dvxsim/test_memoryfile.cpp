#include "FrameParser.h"
#include "MemoryFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace {

std::unique_ptr<CControllerMemory> NewMemory() { return std::make_unique<CControllerMemory>(); }

} // namespace

TEST(DvxSimMemoryFile, KeepsEveryStoredFieldThroughSaveAndLoad) {
    CTempDir dir;
    auto pMemory = NewMemory();
    for (const char* szFrame : {":B3BF"
                                "FF"
                                "F3"
                                "3F"
                                "000"
                                "001"
                                "002"
                                "3BF"
                                "FFF"
                                "3C0"
                                "3300",
                                ":L3BFHorn", ":O5FCab", ":U09Bus 12", ":TR9F00", ":T0042", ":X1",
                                ":XW01", ":XIFE", ":HI03FF", ":HO039F", ":I1", ":L000"}) {
        ASSERT_TRUE(pMemory->Store(CFrameParser::Parse(szFrame))) << szFrame;
    }
    std::string strError;
    ASSERT_TRUE(CMemoryFile::Save(dir.File("memory"), *pMemory, strError)) << strError;
    auto pLoaded = NewMemory();
    ASSERT_TRUE(CMemoryFile::Load(dir.File("memory"), *pLoaded, strError)) << strError;
    EXPECT_EQ(CMemoryFile::Frames(*pLoaded), CMemoryFile::Frames(*pMemory));
    EXPECT_TRUE(pLoaded->m_aEquation[0x3BF] == pMemory->m_aEquation[0x3BF]);
    EXPECT_EQ(pLoaded->m_astrChannelLabel[0], "");
    EXPECT_EQ(pLoaded->m_astrChannelLabel[0x3BF], "Horn");
    EXPECT_EQ(pLoaded->m_anTimerCurrent[0], 0x42);
    EXPECT_EQ(pLoaded->m_anHiSpeedOutput[3], 0x9F);
    EXPECT_TRUE(pLoaded->m_bModuleLink);
}

TEST(DvxSimMemoryFile, AMissingFileLeavesTheMemoryFresh) {
    CTempDir dir;
    auto pMemory = NewMemory();
    std::string strError;
    EXPECT_TRUE(CMemoryFile::Load(dir.File("none"), *pMemory, strError));
    EXPECT_EQ(CMemoryFile::Frames(*pMemory), CMemoryFile::Frames(*NewMemory()));
}

TEST(DvxSimMemoryFile, ADamagedFileIsReportedAndChangesNothing) {
    CTempDir dir;
    std::ofstream(dir.File("memory")) << "# dvxsim controller memory\n:L000Horn\n:TR00100\n";
    auto pMemory = NewMemory();
    std::string strError;
    EXPECT_FALSE(CMemoryFile::Load(dir.File("memory"), *pMemory, strError));
    EXPECT_NE(strError.find("line 3 is damaged: :TR00100"), std::string::npos) << strError;
    EXPECT_EQ(pMemory->m_astrChannelLabel[0], "Blue_Chl_A1");
}
