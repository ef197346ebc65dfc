#pragma once

#include <cstddef>
#include <cstdint>
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
    const std::vector<unsigned char>& Buffer() const { return m_data; }

    // Each stores the value or loads into it, according to the direction.
    void Int16(int16_t& nValue);
    void Int32(int32_t& nValue);
    void Float(float& fValue);
    void Double(double& fValue);
    void String(std::string& strText);

    // Stores or loads a run of fixed-size fields in one step, through
    // Stored, a struct laid out as the file holds them: list(stored, field)
    // calls field(stored.member, value) for each member. The run is
    // bounds-checked as a whole, so a run that does not fit fails and leaves
    // all of its values untouched. A system's records cost one check each
    // instead of one per field.
    template <class Stored, class FieldList> void Fields(FieldList list);

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
    void WriteBytes(const void* pData, std::size_t nSize);
    bool ReadBytes(void* pData, std::size_t nSize);
    bool ReadLength(uint32_t& nLength, bool& bWide);
    bool Fail();

    std::vector<unsigned char> m_data;
    // Next byte to load.
    std::size_t m_nPos = 0;
    bool m_bStoring = true;
    bool m_bFailed = false;
};

template <class Stored, class FieldList> void CArchive::Fields(FieldList list) {
    static_assert(std::has_unique_object_representations_v<Stored>,
                  "a stored layout holds integers only, without padding");
    Stored stored{};
    if (m_bStoring) {
        list(stored, [](auto& nStored, const auto& nValue) {
            static_assert(std::is_same_v<std::remove_cvref_t<decltype(nStored)>,
                                         std::remove_cvref_t<decltype(nValue)>>);
            nStored = nValue;
        });
        WriteBytes(&stored, sizeof stored);
        return;
    }
    if (!ReadBytes(&stored, sizeof stored))
        return;
    list(stored, [](const auto& nStored, auto& nValue) { nValue = nStored; });
}
