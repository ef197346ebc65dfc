#include "cli/CliJson.h"

#include "model/CodePage.h"

namespace {

using CliJson::Json;

// A value on one line, with a space after each colon and comma.
std::string Inline(const Json& value) {
    if (!value.is_object() && !value.is_array())
        return value.dump();
    std::string strItems;
    for (auto it = value.begin(); it != value.end(); ++it) {
        strItems += strItems.empty() ? "" : ", ";
        if (value.is_object())
            strItems += Json(it.key()).dump() + ": ";
        strItems += Inline(*it);
    }
    return value.is_object() ? "{" + strItems + "}" : "[" + strItems + "]";
}

std::string Block(const Json& value) {
    if (!value.is_array() || value.empty())
        return Inline(value);
    std::string strLines;
    for (const Json& entry : value)
        strLines += (strLines.empty() ? "\n    " : ",\n    ") + Inline(entry);
    return "[" + strLines + "\n  ]";
}

} // namespace

namespace CliJson {

std::string Document(const Json& root) {
    std::string strLines;
    for (auto it = root.begin(); it != root.end(); ++it)
        strLines +=
            (strLines.empty() ? "\n  " : ",\n  ") + Json(it.key()).dump() + ": " + Block(*it);
    return "{" + strLines + "\n}\n";
}

Json Text(const std::string& strText) { return CodePage::ToUtf8(strText); }

Json TextOrNull(const std::string& strText) {
    return strText.empty() ? Json(nullptr) : Text(strText);
}

} // namespace CliJson
