#include "model/JsonShapeCheck.h"

#include "model/InputQuote.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iterator>
#include <set>
#include <vector>

namespace {

// Walks the text for the parser and counts the line ends it passes, so a
// refusal in the middle of the text can name its line.
class CLineCountingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CLineCountingIterator(const char* p, int* pnLineEnds) : m_p(p), m_pnLineEnds(pnLineEnds) {}
    reference operator*() const { return *m_p; }
    CLineCountingIterator& operator++() {
        if (*m_p == '\n')
            ++*m_pnLineEnds;
        ++m_p;
        return *this;
    }
    CLineCountingIterator operator++(int) {
        CLineCountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CLineCountingIterator& other) const { return m_p == other.m_p; }

private:
    const char* m_p;
    int* m_pnLineEnds;
};

// Keys are named as the reader of the form names them: "channels[3].label".
class CShapeSax {
public:
    CShapeSax(int nMaxDepth, const int& nLineEnds)
        : m_nMaxDepth(nMaxDepth), m_nLineEnds(nLineEnds) {}

    const std::string& Error() const { return m_strError; }

    bool null() { return Value(); }
    bool boolean(bool) { return Value(); }
    bool number_integer(nlohmann::json::number_integer_t) { return Value(); }
    bool number_unsigned(nlohmann::json::number_unsigned_t) { return Value(); }
    bool number_float(nlohmann::json::number_float_t, const std::string&) { return Value(); }
    bool string(std::string&) { return Value(); }
    bool binary(nlohmann::json::binary_t&) { return Value(); }
    bool start_object(std::size_t) { return Open(false); }
    bool end_object() { return Close(); }
    bool start_array(std::size_t) { return Open(true); }
    bool end_array() { return Close(); }
    bool key(std::string& strKey);
    bool parse_error(std::size_t, const std::string& strLastToken,
                     const nlohmann::json::exception& error);

private:
    struct CLevel {
        bool bArray = false;
        std::string strPath;
        std::size_t nNextElement = 0;
        std::string strKey;
        std::set<std::string> astrKeys;
    };

    std::string NextPath();
    bool Value() {
        NextPath();
        return true;
    }
    bool Open(bool bArray);
    bool Close() {
        m_aLevels.pop_back();
        return true;
    }

    const int m_nMaxDepth;
    const int& m_nLineEnds;
    std::vector<CLevel> m_aLevels;
    std::string m_strError;
};

// The path of the value that starts now.
std::string CShapeSax::NextPath() {
    if (m_aLevels.empty())
        return {};
    CLevel& level = m_aLevels.back();
    if (level.bArray)
        return level.strPath + "[" + std::to_string(level.nNextElement++) + "]";
    return CJsonShapeCheck::KeyPath(level.strPath, level.strKey);
}

bool CShapeSax::Open(bool bArray) {
    std::string strPath = NextPath();
    if (static_cast<int>(m_aLevels.size()) == m_nMaxDepth) {
        char szText[128];
        std::snprintf(szText, sizeof szText, CJsonShapeCheck::kTooDeepText, m_nLineEnds + 1,
                      m_nMaxDepth);
        m_strError = szText;
        return false;
    }
    m_aLevels.push_back({bArray, std::move(strPath), 0, {}, {}});
    return true;
}

bool CShapeSax::key(std::string& strKey) {
    CLevel& level = m_aLevels.back();
    if (!level.astrKeys.insert(strKey).second) {
        m_strError = CJsonShapeCheck::KeyPath(level.strPath, strKey) + ": " +
                     CJsonShapeCheck::kGivenTwiceText;
        return false;
    }
    level.strKey = strKey;
    return true;
}

// The library's own text without its "[json.exception...] " lead, with the
// token it quotes cut short: a string running to the end of a large file
// would otherwise be quoted whole.
bool CShapeSax::parse_error(std::size_t, const std::string& strLastToken,
                            const nlohmann::json::exception& error) {
    std::string strText = error.what();
    const auto nLeadEnd = strText.find("] ");
    if (nLeadEnd != std::string::npos)
        strText.erase(0, nLeadEnd + 2);
    const auto nToken = strText.find(strLastToken);
    if (!strLastToken.empty() && nToken != std::string::npos)
        strText.replace(nToken, strLastToken.size(), InputQuote::Cut(strLastToken));
    m_strError = CJsonShapeCheck::kNotJsonText + strText;
    return false;
}

} // namespace

std::string CJsonShapeCheck::KeyPath(const std::string& strParent, const std::string& strKey) {
    const std::string strQuoted = InputQuote::Cut(strKey);
    return strParent.empty() ? strQuoted : strParent + "." + strQuoted;
}

bool CJsonShapeCheck::Check(const std::string& strText, int nMaxDepth, std::string& strError) {
    int nLineEnds = 0;
    CShapeSax sax(nMaxDepth, nLineEnds);
    const char* pBegin = strText.data();
    const bool bSound =
        nlohmann::json::sax_parse(CLineCountingIterator(pBegin, &nLineEnds),
                                  CLineCountingIterator(pBegin + strText.size(), &nLineEnds), &sax);
    if (!bSound)
        strError = sax.Error();
    return bSound;
}
