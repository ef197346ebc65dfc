#pragma once

#include <string>

class CModuleTypeTexts;
class CSheet;
class CSystem;

// The vehicle setup document: a three-column sheet with the header block,
// one block per module in use on the equation loops, the timers, sleep mode
// and the high speed channels, and the column widths. It needs no window,
// so the desktop program and the command-line tool build the same sheet.
// Building the text of an equation may store a default label where one was
// empty, as it does everywhere.
void BuildDocumentation(CSheet& sheet, CSystem& sys, const CModuleTypeTexts& types);

// The two files every documentation window writes beside the working files.
constexpr const char* kDocumentationVtsFile = "WINZLV.VTS";
constexpr const char* kDocumentationXlsFile = "WINZLV.XLS";
