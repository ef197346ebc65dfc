#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The frames of a short animation read from an AVI file: its first video
// stream, uncompressed (8, 24 or 32 bits a pixel) or run-length encoded
// (RLE8), the forms a please-wait animation comes in. Frames are decoded
// whole at loading into 0xFFRRGGBB pixels, top row first.
class CAviReader {
public:
    enum class EResult { Ok, Unreadable, TooLarge };

    static constexpr int kMaxSide = 1024;
    // Pixels of all frames together; a file needing more is refused.
    static constexpr std::size_t kMaxPixels = std::size_t{8} << 20;
    static constexpr int kDefaultMicroSecPerFrame = 100000;

    EResult Load(const std::string& strPath);
    EResult Parse(const uint8_t* pData, std::size_t nSize);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int FrameCount() const { return static_cast<int>(m_aFrames.size()); }
    int MicroSecPerFrame() const { return m_nMicroSecPerFrame; }
    const std::vector<uint32_t>& Frame(int nFrame) const { return m_aFrames[nFrame]; }

private:
    struct CFormat {
        int nWidth = 0;
        int nHeight = 0;
        bool bBottomUp = true;
        int nBitCount = 0;
        uint32_t nCompression = 0;
        std::vector<uint32_t> anPalette;
    };
    struct CSpan {
        const uint8_t* pData;
        std::size_t nSize;
    };

    bool ReadHeaders(CSpan riff);
    bool ReadStreamList(CSpan list, int nStream);
    bool ReadFormat(CSpan strf);
    void CollectFrames(CSpan list, std::vector<CSpan>& aFrames, int nDepth = 0) const;
    bool DecodeFrames(const std::vector<CSpan>& aFrames);
    bool DecodeRaw(CSpan frame, std::vector<uint32_t>& anPixels) const;
    void DecodeRle8(CSpan frame, std::vector<uint32_t>& anPixels) const;
    uint32_t PaletteColour(uint8_t nIndex) const;
    void Clear();

    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nMicroSecPerFrame = kDefaultMicroSecPerFrame;
    std::vector<std::vector<uint32_t>> m_aFrames;

    int m_nVideoStream = -1;
    uint32_t m_nHeaderMicroSec = 0;
    uint32_t m_nScale = 0;
    uint32_t m_nRate = 0;
    CFormat m_format;
    bool m_bTooLarge = false;
};
