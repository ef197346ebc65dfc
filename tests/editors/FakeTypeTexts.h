#pragma once

#include "moduletypes/ModuleTypeTexts.h"

#include <map>
#include <string>

// Type texts for picker tests: identifier n names "Type_n", "Desc_n" and
// "Note_n" when it was added, a single space otherwise.
class CFakeTypeTexts : public CModuleTypeTexts {
public:
    void Add(short nId) { m_anIds[nId] = true; }

    std::string GetNameById(short nId) const override { return Text("Type_", nId); }
    std::string GetDescriptionById(short nId) const override { return Text("Desc_", nId); }
    std::string GetNoteById(short nId) const override { return Text("Note_", nId); }

private:
    std::string Text(const char* szPrefix, short nId) const {
        return m_anIds.count(nId) ? szPrefix + std::to_string(nId) : " ";
    }
    std::map<short, bool> m_anIds;
};
