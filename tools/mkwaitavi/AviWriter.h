#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// Writes a short palette animation as an AVI file of one video stream, either
// uncompressed (8 bits a pixel) or run-length encoded (RLE8), the two forms
// the please-wait indicator plays. Header-only so the generator of the
// shipped animation and the tests share it.
struct CAviImage {
    int nWidth = 0;
    int nHeight = 0;
    int nMicroSecPerFrame = 100000;
    // Up to 256 colours, 0xRRGGBB.
    std::vector<uint32_t> anPalette;
    // Palette indices, nWidth * nHeight a frame, top row first.
    std::vector<std::vector<uint8_t>> aFrames;
    // When given, these frame bodies are written as they are instead.
    std::vector<std::string> astrEncodedFrames;
};

namespace avi_writer {

inline void Put32(std::string& strOut, uint32_t nValue) {
    for (int i = 0; i < 4; ++i)
        strOut += static_cast<char>((nValue >> (8 * i)) & 0xFF);
}

inline void Put16(std::string& strOut, uint16_t nValue) {
    strOut += static_cast<char>(nValue & 0xFF);
    strOut += static_cast<char>(nValue >> 8);
}

inline std::string Chunk(const char* szId, const std::string& strBody) {
    std::string strOut(szId, 4);
    Put32(strOut, static_cast<uint32_t>(strBody.size()));
    strOut += strBody;
    if (strBody.size() % 2)
        strOut += '\0';
    return strOut;
}

inline std::string List(const char* szType, const std::string& strBody) {
    return Chunk("LIST", std::string(szType, 4) + strBody);
}

// Rows bottom-up, each padded to four bytes.
inline std::string RawFrame(const CAviImage& image, const std::vector<uint8_t>& anPixels) {
    std::string strOut;
    int nStride = (image.nWidth + 3) / 4 * 4;
    for (int y = image.nHeight - 1; y >= 0; --y) {
        std::string strRow(nStride, '\0');
        for (int x = 0; x < image.nWidth; ++x)
            strRow[x] = static_cast<char>(anPixels[y * image.nWidth + x]);
        strOut += strRow;
    }
    return strOut;
}

// Runs of one index as (count, index) pairs, a line end after each row and
// the bitmap end after the last.
inline std::string Rle8Frame(const CAviImage& image, const std::vector<uint8_t>& anPixels) {
    std::string strOut;
    for (int y = image.nHeight - 1; y >= 0; --y) {
        const uint8_t* pRow = &anPixels[y * image.nWidth];
        for (int x = 0; x < image.nWidth;) {
            int nRun = 1;
            while (x + nRun < image.nWidth && nRun < 255 && pRow[x + nRun] == pRow[x])
                ++nRun;
            strOut += static_cast<char>(nRun);
            strOut += static_cast<char>(pRow[x]);
            x += nRun;
        }
        strOut += '\0';
        strOut += static_cast<char>(y == 0 ? 1 : 0);
    }
    return strOut;
}

inline std::string BitmapInfo(const CAviImage& image, bool bRle8, uint32_t nImageSize) {
    std::string strOut;
    Put32(strOut, 40);
    Put32(strOut, static_cast<uint32_t>(image.nWidth));
    Put32(strOut, static_cast<uint32_t>(image.nHeight));
    Put16(strOut, 1);
    Put16(strOut, 8);
    Put32(strOut, bRle8 ? 1 : 0);
    Put32(strOut, nImageSize);
    Put32(strOut, 0);
    Put32(strOut, 0);
    Put32(strOut, static_cast<uint32_t>(image.anPalette.size()));
    Put32(strOut, 0);
    for (uint32_t nColour : image.anPalette)
        Put32(strOut, nColour & 0xFFFFFF);
    return strOut;
}

} // namespace avi_writer

inline std::string WriteAvi(const CAviImage& image, bool bRle8) {
    using namespace avi_writer;
    const char* szFrameId = bRle8 ? "00dc" : "00db";
    std::vector<std::string> astrFrames;
    uint32_t nLargest = 0;
    for (const auto& anPixels : image.aFrames)
        astrFrames.push_back(bRle8 ? Rle8Frame(image, anPixels) : RawFrame(image, anPixels));
    if (!image.astrEncodedFrames.empty())
        astrFrames = image.astrEncodedFrames;
    for (const std::string& strFrame : astrFrames)
        nLargest = std::max(nLargest, static_cast<uint32_t>(strFrame.size()));
    uint32_t nFrames = static_cast<uint32_t>(astrFrames.size());

    std::string strAvih;
    Put32(strAvih, static_cast<uint32_t>(image.nMicroSecPerFrame));
    Put32(strAvih, 0);
    Put32(strAvih, 0);
    Put32(strAvih, 0x10);
    Put32(strAvih, nFrames);
    Put32(strAvih, 0);
    Put32(strAvih, 1);
    Put32(strAvih, nLargest);
    Put32(strAvih, static_cast<uint32_t>(image.nWidth));
    Put32(strAvih, static_cast<uint32_t>(image.nHeight));
    for (int i = 0; i < 4; ++i)
        Put32(strAvih, 0);

    std::string strStrh = "vids";
    strStrh += bRle8 ? std::string("mrle", 4) : std::string("\0\0\0\0", 4);
    Put32(strStrh, 0);
    Put32(strStrh, 0);
    Put32(strStrh, 0);
    Put32(strStrh, static_cast<uint32_t>(image.nMicroSecPerFrame));
    Put32(strStrh, 1000000);
    Put32(strStrh, 0);
    Put32(strStrh, nFrames);
    Put32(strStrh, nLargest);
    Put32(strStrh, 0xFFFFFFFF);
    Put32(strStrh, 0);
    Put16(strStrh, 0);
    Put16(strStrh, 0);
    Put16(strStrh, static_cast<uint16_t>(image.nWidth));
    Put16(strStrh, static_cast<uint16_t>(image.nHeight));

    std::string strHeader =
        List("hdrl", Chunk("avih", strAvih) +
                         List("strl", Chunk("strh", strStrh) +
                                          Chunk("strf", BitmapInfo(image, bRle8, nLargest))));
    std::string strMovi;
    std::string strIndex;
    for (const std::string& strFrame : astrFrames) {
        Put32(strIndex, static_cast<uint32_t>(szFrameId[0]) | szFrameId[1] << 8 |
                            szFrameId[2] << 16 | static_cast<uint32_t>(szFrameId[3]) << 24);
        Put32(strIndex, 0x10);
        Put32(strIndex, static_cast<uint32_t>(strMovi.size() + 4));
        Put32(strIndex, static_cast<uint32_t>(strFrame.size()));
        strMovi += Chunk(szFrameId, strFrame);
    }
    std::string strBody =
        std::string("AVI ") + strHeader + List("movi", strMovi) + Chunk("idx1", strIndex);
    return Chunk("RIFF", strBody);
}
