#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

// The value encoding shared by every stored file: little-endian integers,
// IEEE floats and length-prefixed 8-bit strings, with no header and no
// counts. An archive either stores into its own buffer or loads from a
// buffer it was given; the same Serialize code drives both directions.
//
// Loading never reads past the end of the buffer: the first value that does
// not fit puts the archive into a failed state, later values are left
// untouched, and Ok() tells the caller the file was damaged or incomplete.
class CArchive {
public:
    // A storing archive with an empty buffer.
    CArchive() = default;
    // A loading archive over a copy of the given bytes.
    explicit CArchive(std::vector<unsigned char> data);

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }
    bool Ok() const { return !m_bFailed; }
    // What was stored, or the bytes being loaded.
    const std::vector<unsigned char>& Buffer();

    // Each stores the value or loads into it, according to the direction.
    void Int16(int16_t& nValue);
    void Int32(int32_t& nValue);
    void Float(float& fValue);
    void Double(double& fValue);
    void String(std::string& strText);

    // Stores or loads a run of fixed-size fields in one step: list(field)
    // calls field(value) on each in file order. The run is bounds-checked
    // as a whole, so a run that does not fit fails and leaves every one of
    // its fields untouched; a system's records cost one check each instead
    // of one per field.
    template <class FieldList> void Fields(FieldList list);

    void WriteInt16(int16_t nValue);
    void WriteInt32(int32_t nValue);
    void WriteFloat(float fValue);
    void WriteDouble(double fValue);
    void WriteString(const std::string& strText);

    bool ReadInt16(int16_t& nValue);
    bool ReadInt32(int32_t& nValue);
    bool ReadFloat(float& fValue);
    bool ReadDouble(double& fValue);
    // Also accepts the 16-bit character form, converted to the code page
    // with '?' for characters it lacks.
    bool ReadString(std::string& strText);

private:
    // The next nSize bytes to store into or load from, or null once failed.
    unsigned char* Take(std::size_t nSize);
    void WriteBytes(const void* pData, std::size_t nSize);
    bool ReadBytes(void* pData, std::size_t nSize);
    bool ReadLength(uint32_t& nLength, bool& bWide);
    bool Fail();

    std::vector<unsigned char> m_data;
    // Next byte to load, or the end of what was stored.
    std::size_t m_nPos = 0;
    bool m_bStoring = true;
    bool m_bFailed = false;
};

template <class FieldList> void CArchive::Fields(FieldList list) {
    std::size_t nSize = 0;
    list([&nSize](auto& value) {
        static_assert(std::is_arithmetic_v<std::remove_reference_t<decltype(value)>>);
        nSize += sizeof value;
    });
    unsigned char* pBytes = Take(nSize);
    if (!pBytes)
        return;
    // One copy per direction, so that no field asks which way it goes.
    if (m_bStoring)
        list([&pBytes](const auto& value) {
            std::memcpy(pBytes, &value, sizeof value);
            pBytes += sizeof value;
        });
    else
        list([&pBytes](auto& value) {
            std::memcpy(&value, pBytes, sizeof value);
            pBytes += sizeof value;
        });
}
