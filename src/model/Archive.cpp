#include "model/Archive.h"

#include "model/CodePage.h"

#include <algorithm>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "the stored files are little-endian and read by copying bytes");

namespace {

constexpr unsigned char kLongLength = 0xFF;
constexpr uint16_t kWideMarker = 0xFFFE;
constexpr uint16_t kHugeLength = 0xFFFF;

} // namespace

CArchive::CArchive(std::vector<unsigned char> data) : m_data(std::move(data)), m_bStoring(false) {}

void CArchive::Int16(int16_t& nValue) {
    if (m_bStoring)
        WriteInt16(nValue);
    else
        ReadInt16(nValue);
}

void CArchive::Int32(int32_t& nValue) {
    if (m_bStoring)
        WriteInt32(nValue);
    else
        ReadInt32(nValue);
}

void CArchive::Float(float& fValue) {
    if (m_bStoring)
        WriteFloat(fValue);
    else
        ReadFloat(fValue);
}

void CArchive::Double(double& fValue) {
    if (m_bStoring)
        WriteDouble(fValue);
    else
        ReadDouble(fValue);
}

void CArchive::String(std::string& strText) {
    if (m_bStoring)
        WriteString(strText);
    else
        ReadString(strText);
}

// --- storing ---

void CArchive::WriteBytes(const void* pData, std::size_t nSize) {
    const auto* pBytes = static_cast<const unsigned char*>(pData);
    m_data.insert(m_data.end(), pBytes, pBytes + nSize);
}

void CArchive::WriteInt16(int16_t nValue) { WriteBytes(&nValue, sizeof nValue); }
void CArchive::WriteInt32(int32_t nValue) { WriteBytes(&nValue, sizeof nValue); }
void CArchive::WriteFloat(float fValue) { WriteBytes(&fValue, sizeof fValue); }
void CArchive::WriteDouble(double fValue) { WriteBytes(&fValue, sizeof fValue); }

void CArchive::WriteString(const std::string& strText) {
    std::size_t nLength = strText.size();
    if (nLength < kLongLength) {
        unsigned char nByte = static_cast<unsigned char>(nLength);
        WriteBytes(&nByte, 1);
    } else if (nLength < kWideMarker) {
        WriteBytes(&kLongLength, 1);
        uint16_t nShort = static_cast<uint16_t>(nLength);
        WriteBytes(&nShort, 2);
    } else {
        WriteBytes(&kLongLength, 1);
        WriteBytes(&kHugeLength, 2);
        uint32_t nLong = static_cast<uint32_t>(nLength);
        WriteBytes(&nLong, 4);
    }
    WriteBytes(strText.data(), nLength);
}

// --- loading ---

bool CArchive::Fail() {
    m_bFailed = true;
    return false;
}

bool CArchive::ReadBytes(void* pData, std::size_t nSize) {
    if (m_bFailed || m_bStoring)
        return false;
    if (nSize > m_data.size() - m_nPos)
        return Fail();
    std::memcpy(pData, m_data.data() + m_nPos, nSize);
    m_nPos += nSize;
    return true;
}

bool CArchive::ReadInt16(int16_t& nValue) { return ReadBytes(&nValue, sizeof nValue); }
bool CArchive::ReadInt32(int32_t& nValue) { return ReadBytes(&nValue, sizeof nValue); }
bool CArchive::ReadFloat(float& fValue) { return ReadBytes(&fValue, sizeof fValue); }
bool CArchive::ReadDouble(double& fValue) { return ReadBytes(&fValue, sizeof fValue); }

// The wide marker may only open a prefix: in the length that follows it,
// 0xFFFE is a plain length of 65534.
bool CArchive::ReadLength(uint32_t& nLength, bool& bWide) {
    unsigned char nByte = 0;
    if (!ReadBytes(&nByte, 1))
        return false;
    if (nByte != kLongLength) {
        nLength = nByte;
        return true;
    }
    uint16_t nShort = 0;
    if (!ReadBytes(&nShort, 2))
        return false;
    if (nShort == kWideMarker && !bWide) {
        bWide = true;
        return ReadLength(nLength, bWide);
    }
    if (nShort != kHugeLength) {
        nLength = nShort;
        return true;
    }
    return ReadBytes(&nLength, 4);
}

bool CArchive::ReadString(std::string& strText) {
    uint32_t nLength = 0;
    bool bWide = false;
    if (!ReadLength(nLength, bWide))
        return false;
    std::size_t nBytes = bWide ? std::size_t{nLength} * 2 : nLength;
    if (nBytes > m_data.size() - m_nPos)
        return Fail();
    if (!bWide) {
        strText.assign(reinterpret_cast<const char*>(m_data.data() + m_nPos), nLength);
        m_nPos += nBytes;
        return true;
    }
    std::u16string strWide(nLength, u'\0');
    std::memcpy(strWide.data(), m_data.data() + m_nPos, nBytes);
    m_nPos += nBytes;
    strText = CodePage::FromUtf16(strWide);
    return true;
}
