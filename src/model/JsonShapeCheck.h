#pragma once

#include <cstddef>
#include <string>

// A first pass over a JSON text, before any tree is built from it: the
// syntax, nesting no deeper than a form can use, and no key given twice in
// one object. A text nested a hundred thousand levels deep would otherwise
// exhaust the stack while the tree is built or taken down, and a key given
// twice would silently keep only its last value.
class CJsonShapeCheck {
public:
    static constexpr const char* kTooDeepText =
        "line %d: nested deeper than the %d levels the form uses";
    static constexpr const char* kGivenTwiceText = "is given twice";
    static constexpr const char* kNotJsonText = "not JSON: ";

    // False with one line in strError: "not JSON: " and the syntax error,
    // the line where the nesting goes too deep, or the key given twice
    // ("channels[3].label: is given twice"). Quoted input is cut short.
    static bool Check(const std::string& strText, int nMaxDepth, std::string& strError);
    // How a message names a key: "channels[3].label", the key cut short as
    // any quoted input is.
    static std::string KeyPath(const std::string& strParent, const std::string& strKey);
};
