#pragma once

#include <string>

class CSystem;

// Reads the text form of a system written by CSystemJsonWriter, or by a
// script following its schema. Every stored field the text leaves out takes
// its reset value. The reading stops at the first value that breaks the
// form: strError then names its key, as "channels[3].equation.terms[2].source",
// and the reason, and the system is partly filled and must be thrown away.
class CSystemJsonReader {
public:
    static bool Read(const std::string& strText, CSystem& system, std::string& strError);
};
