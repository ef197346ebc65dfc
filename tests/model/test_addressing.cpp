#include "model/System.h"

#include <gtest/gtest.h>

TEST(Addressing, IndexSplitsIntoItsCoordinates) {
    struct Case {
        short nLoop, nModule, nChannel, nIndex;
    } aCases[] = {{0, 0, 0, 0}, {5, 15, 9, 959}, {1, 1, 5, 175}, {3, 15, 9, 639}, {0, 15, 9, 159}};
    for (const Case& c : aCases) {
        EXPECT_EQ(c.nIndex, CSystem::MakeIndex(c.nLoop, c.nModule, c.nChannel));
        EXPECT_EQ(c.nLoop, CSystem::LoopOf(c.nIndex));
        EXPECT_EQ(c.nModule, CSystem::ModuleOf(c.nIndex));
        EXPECT_EQ(c.nChannel, CSystem::ChannelOf(c.nIndex));
    }
}

TEST(Addressing, NoChannelTruncatesTowardZero) {
    EXPECT_EQ(0, CSystem::LoopOf(-1));
    EXPECT_EQ(0, CSystem::ModuleOf(-1));
    EXPECT_EQ(-1, CSystem::ChannelOf(-1));
}

TEST(Addressing, RangePredicates) {
    struct Case {
        int nIndex;
        bool bValid, bHighSpeed;
    } aCases[] = {{-1, false, false}, {0, true, true},    {159, true, true},
                  {160, true, false}, {959, true, false}, {960, false, false}};
    for (const Case& c : aCases) {
        EXPECT_EQ(c.bValid, CSystem::IsValidIndex(c.nIndex)) << c.nIndex;
        EXPECT_EQ(c.bHighSpeed, CSystem::IsHighSpeedCapable(c.nIndex)) << c.nIndex;
    }
    EXPECT_TRUE(CSystem::IsValidLoop(5));
    EXPECT_FALSE(CSystem::IsValidLoop(6));
    EXPECT_FALSE(CSystem::IsValidModule(16));
    EXPECT_FALSE(CSystem::IsValidModule(-1));
}

TEST(Addressing, LoopTables) {
    const char* aszNames[] = {"BLUE LOOP",  "YELLOW LOOP",     "VIRTUAL LOOP",
                              "TIMER LOOP", "TIMER DONE LOOP", "TIMER RUNNING LOOP"};
    const CRgb aColours[] = {{0, 0, 255}, {255, 255, 0}, {0, 255, 0},
                             {255, 0, 0}, {255, 128, 0}, {255, 0, 255}};
    for (short nLoop = 0; nLoop < 6; ++nLoop) {
        EXPECT_EQ(aszNames[nLoop], CSystem::GetLoopName(nLoop));
        EXPECT_EQ(aColours[nLoop], CSystem::GetLoopColour(nLoop));
        EXPECT_EQ(15, CSystem::GetLastModule(nLoop));
        EXPECT_EQ('P', CSystem::GetLastModuleLetter(nLoop));
        EXPECT_EQ(159, CSystem::GetLastChannelIndex(nLoop));
    }
    EXPECT_EQ((CRgb{255, 0, 0}), CSystem::GetLoopColour(6));
    EXPECT_EQ((CRgb{255, 0, 0}), CSystem::GetLoopColour(-1));
}

TEST(Addressing, TextForms) {
    EXPECT_EQ("A10", CSystem::ChannelDesignation(0, 9));
    EXPECT_EQ("B6", CSystem::IndexDesignation(175));
    EXPECT_EQ("_", CSystem::IndexDesignation(-1));
    EXPECT_EQ("_", CSystem::IndexDesignation(-7));
    EXPECT_EQ("", CSystem::IndexModuleLetter(-1));
    EXPECT_EQ("C", CSystem::IndexModuleLetter(25));
    EXPECT_EQ("Blue_Chl_A1", CSystem::DefaultChannelLabel(0, 0, 0));
    EXPECT_EQ("TmrRun_Chl_A2", CSystem::DefaultChannelLabel(0, 1, 5));
    EXPECT_EQ("TmrEnbl_Chl_P10", CSystem::DefaultChannelLabel(15, 9, 3));
    EXPECT_EQ("Yellow_Modul_B", CSystem::DefaultModuleLabel(1, 1));
    EXPECT_EQ("SysLabel_4", CSystem::DefaultSysLabel(4));
    EXPECT_EQ("_", CSystem::TermModuleLetter(-1));
    EXPECT_EQ(1, CSystem::TermChannelNumber(-1));
    EXPECT_EQ("B", CSystem::TermModuleLetter(175));
    EXPECT_EQ(6, CSystem::TermChannelNumber(175));
}

TEST(Addressing, DateTextHasTwoSpacesAfterTheMonth) {
    std::tm date{};
    date.tm_year = 2004 - 1900;
    date.tm_mon = 2;
    date.tm_mday = 5;
    EXPECT_EQ("Mar.  05, 2004", CSystem::DateText(date));
    date.tm_mon = 11;
    date.tm_mday = 31;
    EXPECT_EQ("Dec.  31, 2004", CSystem::DateText(date));
}
