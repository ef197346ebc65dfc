#pragma once

#include <span>

// What the user sees of one command: its text with the mnemonic ampersand,
// the prompt shown in the status bar while it is highlighted, the tooltip of
// its toolbar button, its accelerators (Qt key sequences separated by "; ")
// and the section of the user manual that describes it.
struct CCommandInfo {
    int nId;
    const char* szText;
    const char* szPrompt;
    const char* szTooltip;
    const char* szShortcuts;
    const char* szHelpSection;
};

class CCommandTable {
public:
    static std::span<const CCommandInfo> All();
    // nullptr for an id the table does not hold.
    static const CCommandInfo* Find(int nId);
    static constexpr const char* kPortOpenText = "Open &Port";
    static constexpr const char* kPortCloseText = "Close &Port";
};
