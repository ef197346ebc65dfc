#include "controls/AviReader.h"
#include "mkwaitavi/AviWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

CAviImage FourColours(int nWidth, int nHeight) {
    CAviImage image;
    image.nWidth = nWidth;
    image.nHeight = nHeight;
    image.nMicroSecPerFrame = 50000;
    image.anPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    return image;
}

// Three frames of 5 x 3 pixels whose index is (x + y + frame) mod 4.
CAviImage Diagonals() {
    CAviImage image = FourColours(5, 3);
    for (int nFrame = 0; nFrame < 3; ++nFrame) {
        std::vector<uint8_t> anPixels;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                anPixels.push_back(static_cast<uint8_t>((x + y + nFrame) % 4));
        image.aFrames.push_back(anPixels);
    }
    return image;
}

CAviReader::EResult Parse(CAviReader& file, const std::string& strBytes) {
    return file.Parse(reinterpret_cast<const uint8_t*>(strBytes.data()), strBytes.size());
}

} // namespace

class AviRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(AviRoundTrip, GivesBackEveryPixelOfEveryFrameTopRowFirst) {
    CAviImage image = Diagonals();
    CAviReader file;
    ASSERT_EQ(Parse(file, WriteAvi(image, GetParam())), CAviReader::EResult::Ok);
    ASSERT_EQ(file.FrameCount(), 3);
    EXPECT_EQ(file.Width(), 5);
    EXPECT_EQ(file.Height(), 3);
    EXPECT_EQ(file.MicroSecPerFrame(), 50000);
    const uint32_t anColour[4] = {kBlack, kRed, kGreen, kBlue};
    for (int nFrame = 0; nFrame < 3; ++nFrame)
        for (int i = 0; i < 15; ++i)
            EXPECT_EQ(file.Frame(nFrame)[i], anColour[image.aFrames[nFrame][i]])
                << "frame " << nFrame << " pixel " << i;
}

INSTANTIATE_TEST_SUITE_P(RawAndRle8, AviRoundTrip, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Rle8" : "Raw"; });

// The first frame uses runs and a literal stretch; the second moves with a
// delta and changes one pixel, keeping the rest; the third is empty and
// repeats the second.
TEST(AviReader, Rle8FramesBuildOnTheFrameBefore) {
    CAviImage image = FourColours(4, 2);
    using namespace std::string_literals;
    image.astrEncodedFrames = {"\x04\x01\x00\x00"s
                               "\x00\x03\x02\x03\x02\x00\x01\x01\x00\x01"s,
                               "\x00\x02\x01\x01\x01\x00\x00\x01"s, ""};
    CAviReader file;
    ASSERT_EQ(Parse(file, WriteAvi(image, true)), CAviReader::EResult::Ok);
    ASSERT_EQ(file.FrameCount(), 3);
    std::vector<uint32_t> anFirst = {kGreen, kBlue, kGreen, kRed, kRed, kRed, kRed, kRed};
    std::vector<uint32_t> anSecond = {kGreen, kBlack, kGreen, kRed, kRed, kRed, kRed, kRed};
    EXPECT_EQ(file.Frame(0), anFirst);
    EXPECT_EQ(file.Frame(1), anSecond);
    EXPECT_EQ(file.Frame(2), anSecond);
}

TEST(AviReader, RunsBeyondTheFrameAreDropped) {
    CAviImage image = FourColours(2, 1);
    using namespace std::string_literals;
    image.astrEncodedFrames = {"\xFF\x02\x00\x02\x10\x10\x05\x03"s};
    CAviReader file;
    ASSERT_EQ(Parse(file, WriteAvi(image, true)), CAviReader::EResult::Ok);
    EXPECT_EQ(file.Frame(0), (std::vector<uint32_t>{kGreen, kGreen}));
}

TEST(AviReader, ShippedAnimationLoads) {
    CAviReader file;
    ASSERT_EQ(file.Load(CORVEL_SOURCE_DIR "/data/WAIT.AVI"), CAviReader::EResult::Ok);
    EXPECT_EQ(file.Width(), 48);
    EXPECT_EQ(file.Height(), 48);
    EXPECT_EQ(file.FrameCount(), 12);
    EXPECT_NE(file.Frame(0), file.Frame(1));
}

TEST(AviReader, DamagedOrForeignFilesAreRefused) {
    CAviImage good = Diagonals();
    std::string strGood = WriteAvi(good, false);
    CAviImage noFrames = FourColours(5, 3);
    CAviImage huge = FourColours(CAviReader::kMaxSide + 1, 1);
    huge.aFrames.assign(1, std::vector<uint8_t>(CAviReader::kMaxSide + 1, 1));
    CAviImage shortFrame = FourColours(5, 3);
    shortFrame.astrEncodedFrames = {"\x01\x02\x03"};
    std::string strFourBit = strGood;
    strFourBit[strGood.find("strf") + 8 + 14] = 4;
    std::string strNoVideo = strGood;
    strNoVideo.replace(strGood.find("vids"), 4, "auds");
    const struct {
        const char* szName;
        std::string strBytes;
    } aCases[] = {
        {"empty", ""},
        {"riff header only", strGood.substr(0, 12)},
        {"not an avi", "RIFF\x04\x00\x00\x00WAVE"},
        {"cut in the headers", strGood.substr(0, 100)},
        {"no frames", WriteAvi(noFrames, false)},
        {"too wide", WriteAvi(huge, true)},
        {"frame too short", WriteAvi(shortFrame, false)},
        {"four bits a pixel", strFourBit},
        {"no video stream", strNoVideo},
    };
    for (const auto& aCase : aCases) {
        CAviReader file;
        EXPECT_EQ(Parse(file, aCase.strBytes), CAviReader::EResult::Unreadable) << aCase.szName;
        EXPECT_EQ(file.FrameCount(), 0) << aCase.szName;
    }
}

TEST(AviReader, FileCutAfterItsFramesStillPlays) {
    std::string strAvi = WriteAvi(Diagonals(), true);
    CAviReader file;
    EXPECT_EQ(Parse(file, strAvi.substr(0, strAvi.find("idx1") + 3)), CAviReader::EResult::Ok);
    EXPECT_EQ(file.FrameCount(), 3);
}

TEST(AviReader, TooManyPixelsIsRefusedBeforeDecoding) {
    CAviImage image = FourColours(CAviReader::kMaxSide, CAviReader::kMaxSide);
    std::string strFrame;
    for (int y = 0; y < CAviReader::kMaxSide; ++y)
        strFrame += std::string("\xFF\x01\xFF\x01\xFF\x01\xFF\x01\x04\x01\x00\x00", 12);
    image.astrEncodedFrames.assign(9, strFrame);
    CAviReader file;
    EXPECT_EQ(Parse(file, WriteAvi(image, true)), CAviReader::EResult::TooLarge);
    EXPECT_EQ(file.FrameCount(), 0);
}

TEST(AviReader, MissingFileIsUnreadable) {
    CTempDir dir;
    CAviReader file;
    EXPECT_EQ(file.Load(dir.File("WAIT.AVI")), CAviReader::EResult::Unreadable);
}
