#include "controls/AviReader.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr int kMaxListDepth = 4;
constexpr int kMinMicroSec = 10000;
constexpr int kMaxMicroSec = 1000000;
// Larger files are not animations a dialog plays.
constexpr std::size_t kMaxFileSize = std::size_t{64} << 20;

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool IsId(const uint8_t* p, const char* szId) { return std::memcmp(p, szId, 4) == 0; }

// Takes the next chunk off the front of a span. A chunk that claims more
// than is left is cut to what is there (a file cut short still shows the
// frames it holds).
struct CChunk {
    const uint8_t* pId;
    const uint8_t* pBody;
    std::size_t nSize;
};

bool NextChunk(const uint8_t*& p, std::size_t& nLeft, CChunk& chunk) {
    if (nLeft < 8)
        return false;
    chunk.pId = p;
    chunk.pBody = p + 8;
    chunk.nSize = std::min<std::size_t>(U32(p + 4), nLeft - 8);
    std::size_t nTaken = 8 + chunk.nSize + (chunk.nSize & 1);
    nTaken = std::min(nTaken, nLeft);
    p += nTaken;
    nLeft -= nTaken;
    return true;
}

bool IsList(const CChunk& chunk, const char* szType) {
    return IsId(chunk.pId, "LIST") && chunk.nSize >= 4 && IsId(chunk.pBody, szType);
}

uint32_t Opaque(uint32_t nRgb) { return 0xFF000000u | (nRgb & 0xFFFFFFu); }

} // namespace

CAviReader::EResult CAviReader::Load(const std::string& strPath) {
    Clear();
    std::ifstream file(strPath, std::ios::binary);
    if (!file)
        return EResult::Unreadable;
    std::vector<uint8_t> anData;
    char acBuffer[65536];
    while (file.read(acBuffer, sizeof acBuffer) || file.gcount() > 0) {
        anData.insert(anData.end(), acBuffer, acBuffer + file.gcount());
        if (anData.size() > kMaxFileSize)
            return EResult::TooLarge;
    }
    if (file.bad())
        return EResult::Unreadable;
    return Parse(anData.data(), anData.size());
}

CAviReader::EResult CAviReader::Parse(const uint8_t* pData, std::size_t nSize) {
    Clear();
    if (nSize < 12 || !IsId(pData, "RIFF") || !IsId(pData + 8, "AVI "))
        return EResult::Unreadable;
    std::size_t nBody = std::min<std::size_t>(U32(pData + 4), nSize - 8);
    if (nBody >= 4 && ReadHeaders({pData + 12, nBody - 4}))
        return EResult::Ok;
    bool bTooLarge = m_bTooLarge;
    Clear();
    return bTooLarge ? EResult::TooLarge : EResult::Unreadable;
}

void CAviReader::Clear() {
    m_nWidth = 0;
    m_nHeight = 0;
    m_nMicroSecPerFrame = kDefaultMicroSecPerFrame;
    m_aFrames.clear();
    m_nVideoStream = -1;
    m_nHeaderMicroSec = 0;
    m_nScale = 0;
    m_nRate = 0;
    m_format = {};
    m_bTooLarge = false;
}

bool CAviReader::ReadHeaders(CSpan riff) {
    CSpan movi{nullptr, 0};
    const uint8_t* p = riff.pData;
    std::size_t nLeft = riff.nSize;
    CChunk chunk;
    while (NextChunk(p, nLeft, chunk)) {
        if (IsList(chunk, "movi"))
            movi = {chunk.pBody + 4, chunk.nSize - 4};
        if (!IsList(chunk, "hdrl"))
            continue;
        const uint8_t* q = chunk.pBody + 4;
        std::size_t nInner = chunk.nSize - 4;
        CChunk inner;
        int nStream = 0;
        while (NextChunk(q, nInner, inner)) {
            if (IsId(inner.pId, "avih") && inner.nSize >= 4)
                m_nHeaderMicroSec = U32(inner.pBody);
            if (IsList(inner, "strl") &&
                !ReadStreamList({inner.pBody + 4, inner.nSize - 4}, nStream++))
                return false;
        }
    }
    if (m_nVideoStream < 0 || m_format.nWidth == 0 || !movi.pData)
        return false;
    std::vector<CSpan> aFrames;
    CollectFrames(movi, aFrames);
    return DecodeFrames(aFrames);
}

bool CAviReader::ReadStreamList(CSpan list, int nStream) {
    const uint8_t* p = list.pData;
    std::size_t nLeft = list.nSize;
    CChunk chunk;
    bool bVideo = false;
    while (NextChunk(p, nLeft, chunk)) {
        if (IsId(chunk.pId, "strh") && chunk.nSize >= 28 && m_nVideoStream < 0 &&
            IsId(chunk.pBody, "vids")) {
            bVideo = true;
            m_nVideoStream = nStream;
            m_nScale = U32(chunk.pBody + 20);
            m_nRate = U32(chunk.pBody + 24);
        }
        if (IsId(chunk.pId, "strf") && bVideo)
            return ReadFormat({chunk.pBody, chunk.nSize});
    }
    return !bVideo;
}

bool CAviReader::ReadFormat(CSpan strf) {
    if (strf.nSize < 40)
        return false;
    const uint8_t* p = strf.pData;
    uint32_t nHeaderSize = std::clamp<uint32_t>(U32(p), 40, static_cast<uint32_t>(strf.nSize));
    auto nWidth = static_cast<int32_t>(U32(p + 4));
    auto nHeight = static_cast<int32_t>(U32(p + 8));
    CFormat format;
    format.nBitCount = U16(p + 14);
    format.nCompression = U32(p + 16);
    format.bBottomUp = nHeight > 0;
    if (nWidth < 1 || nWidth > kMaxSide || nHeight == 0 || nHeight < -kMaxSide ||
        nHeight > kMaxSide)
        return false;
    format.nWidth = nWidth;
    format.nHeight = nHeight > 0 ? nHeight : -nHeight;
    bool bRaw = format.nCompression == kRgb &&
                (format.nBitCount == 8 || format.nBitCount == 24 || format.nBitCount == 32);
    bool bRle = format.nCompression == kRle8 && format.nBitCount == 8 && format.bBottomUp;
    if (!bRaw && !bRle)
        return false;
    if (format.nBitCount == 8) {
        std::size_t nColours = U32(p + 32) ? U32(p + 32) : 256;
        nColours = std::min<std::size_t>({nColours, 256, (strf.nSize - nHeaderSize) / 4});
        for (std::size_t i = 0; i < nColours; ++i)
            format.anPalette.push_back(Opaque(U32(p + nHeaderSize + 4 * i)));
    }
    m_format = std::move(format);
    return true;
}

void CAviReader::CollectFrames(CSpan list, std::vector<CSpan>& aFrames, int nDepth) const {
    const uint8_t* p = list.pData;
    std::size_t nLeft = list.nSize;
    CChunk chunk;
    char acStream[3];
    acStream[0] = static_cast<char>('0' + m_nVideoStream / 10 % 10);
    acStream[1] = static_cast<char>('0' + m_nVideoStream % 10);
    while (NextChunk(p, nLeft, chunk)) {
        if (IsList(chunk, "rec ") && nDepth < kMaxListDepth) {
            CollectFrames({chunk.pBody + 4, chunk.nSize - 4}, aFrames, nDepth + 1);
            continue;
        }
        bool bOurs = chunk.pId[0] == acStream[0] && chunk.pId[1] == acStream[1];
        bool bPicture = (chunk.pId[2] == 'd' && (chunk.pId[3] == 'b' || chunk.pId[3] == 'c'));
        if (bOurs && bPicture)
            aFrames.push_back({chunk.pBody, chunk.nSize});
    }
}

bool CAviReader::DecodeFrames(const std::vector<CSpan>& aFrames) {
    if (aFrames.empty())
        return false;
    std::size_t nPixels = static_cast<std::size_t>(m_format.nWidth) * m_format.nHeight;
    if (aFrames.size() > kMaxPixels / nPixels) {
        m_bTooLarge = true;
        return false;
    }
    // Run-length frames after the first only change what differs from the
    // frame before, so each starts from its predecessor.
    std::vector<uint32_t> anCurrent(nPixels, PaletteColour(0));
    for (const CSpan& frame : aFrames) {
        if (frame.nSize > 0) {
            if (m_format.nCompression == kRle8)
                DecodeRle8(frame, anCurrent);
            else if (!DecodeRaw(frame, anCurrent))
                return false;
        }
        m_aFrames.push_back(anCurrent);
    }
    m_nWidth = m_format.nWidth;
    m_nHeight = m_format.nHeight;
    uint64_t nMicroSec =
        m_nScale && m_nRate ? uint64_t{m_nScale} * 1000000 / m_nRate : uint64_t{m_nHeaderMicroSec};
    if (nMicroSec == 0)
        nMicroSec = kDefaultMicroSecPerFrame;
    m_nMicroSecPerFrame =
        static_cast<int>(std::clamp<uint64_t>(nMicroSec, kMinMicroSec, kMaxMicroSec));
    return true;
}

uint32_t CAviReader::PaletteColour(uint8_t nIndex) const {
    return nIndex < m_format.anPalette.size() ? m_format.anPalette[nIndex] : Opaque(0);
}

bool CAviReader::DecodeRaw(CSpan frame, std::vector<uint32_t>& anPixels) const {
    const int nWidth = m_format.nWidth;
    const int nBytes = m_format.nBitCount / 8;
    const std::size_t nStride = (static_cast<std::size_t>(nWidth) * nBytes + 3) / 4 * 4;
    if (frame.nSize < nStride * m_format.nHeight)
        return false;
    for (int nRow = 0; nRow < m_format.nHeight; ++nRow) {
        int y = m_format.bBottomUp ? m_format.nHeight - 1 - nRow : nRow;
        const uint8_t* pRow = frame.pData + nStride * nRow;
        uint32_t* pOut = &anPixels[static_cast<std::size_t>(y) * nWidth];
        for (int x = 0; x < nWidth; ++x) {
            const uint8_t* pPixel = pRow + x * nBytes;
            pOut[x] = nBytes == 1 ? PaletteColour(pPixel[0])
                                  : Opaque(pPixel[0] | pPixel[1] << 8 | pPixel[2] << 16);
        }
    }
    return true;
}

// Pairs of (count, index) repeat an index; a zero count introduces a line
// end, the bitmap end, a jump (delta) or a stretch of literal indices padded
// to an even length. Rows count from the bottom; pixels outside the frame
// are dropped.
void CAviReader::DecodeRle8(CSpan frame, std::vector<uint32_t>& anPixels) const {
    const int nWidth = m_format.nWidth;
    const int nHeight = m_format.nHeight;
    long x = 0;
    long y = 0;
    auto Put = [&](uint8_t nIndex) {
        if (x >= 0 && x < nWidth && y >= 0 && y < nHeight)
            anPixels[static_cast<std::size_t>(nHeight - 1 - y) * nWidth + x] =
                PaletteColour(nIndex);
        ++x;
    };
    const uint8_t* p = frame.pData;
    std::size_t i = 0;
    while (i + 1 < frame.nSize) {
        uint8_t nCount = p[i];
        uint8_t nValue = p[i + 1];
        i += 2;
        if (nCount > 0) {
            for (int k = 0; k < nCount; ++k)
                Put(nValue);
            continue;
        }
        if (nValue == 0) {
            x = 0;
            ++y;
        } else if (nValue == 1) {
            return;
        } else if (nValue == 2) {
            if (i + 1 >= frame.nSize)
                return;
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {
            for (std::size_t k = 0; k < nValue && i + k < frame.nSize; ++k)
                Put(p[i + k]);
            i += nValue + (nValue & 1);
        }
    }
}
