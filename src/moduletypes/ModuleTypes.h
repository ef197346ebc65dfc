#pragma once

#include "moduletypes/ModuleTypeTexts.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CArchive;
class CShellServices;

// A date and time as the library file stores it: a status (0 valid,
// 1 invalid, 2 null) and an OLE Automation date, days since 30 December
// 1899 with the time of day as the fraction.
struct COleDate {
    static constexpr int32_t kValid = 0;
    int32_t m_nStatus = kValid;
    double m_dValue = 0.0;

    static COleDate Now();
    static double FromLocal(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond);
};

// One kind of module: which of its ten channels are outputs and which are
// momentary switch latches, with its texts.
struct ModuleType {
    static constexpr int kChannels = 10;
    int32_t m_abOutput[kChannels] = {};
    int32_t m_abSwitch[kChannels] = {};
    int32_t m_anReserved[kChannels] = {};
    std::string m_strName;
    std::string m_strDescription;
    std::string m_strNote;
    // Only in memory: module assignments refer to a type by it.
    int16_t m_nId = 0;
    COleDate m_created;
};

// The module type library "ModuleTypes.dat" with the strict checking flag.
// Types keep their insertion order, which is the file order; reading a file
// numbers them 1, 2, 3, ... Read at construction; written only when asked
// (Save). Channels are numbered 1 to 10 in every operation.
class CModuleTypes : public CModuleTypeTexts {
public:
    static constexpr const char* kFileName = "ModuleTypes.dat";

    CModuleTypes(const std::string& strLaunchDir, CShellServices& shell);
    // Chooses the constructor of an empty library.
    struct CEmpty {};
    // No types and strict checking off, read from no file: what a system is
    // checked against where no library is at hand.
    CModuleTypes(CEmpty, CShellServices& shell) : m_shell(shell) {}
    CModuleTypes(const CModuleTypes&) = delete;
    CModuleTypes& operator=(const CModuleTypes&) = delete;

    // An empty name means "ModuleTypes.dat". A missing file is created with
    // the empty library. A damaged file is reported and the types read
    // before the damage are kept; an unreadable one is reported and left as
    // it is.
    bool Load(const std::string& strName = {});
    bool Save(const std::string& strName = {});

    void RemoveAll();
    // The new type with the defaults, appended and made current; nullptr
    // (reported) when it cannot be made.
    ModuleType* AddType();
    bool DeleteType(const ModuleType* pType);
    int GetCount() const { return static_cast<int>(m_apTypes.size()); }
    int GetCurrentIndex();
    bool SelectByIndex(int nIndex);
    int GetPageStep() const { return GetCount() / 6; }
    ModuleType* GetCurrent();
    ModuleType* GetAt(int nIndex) const;

    bool GetStrictChecking() const { return m_bStrictChecking != 0; }
    void SetStrictChecking(bool bOn) { m_bStrictChecking = bOn; }
    bool ChannelMayCarryBoolean(short nId, int nChannel) const;
    // The first type with that identifier; nullptr when none has it.
    const ModuleType* FindById(short nId) const;

    // --- the current type (the first when none is current) ---
    bool IsOutputChannel(int nChannel);
    void SetOutputChannel(int nChannel, bool bOn);
    bool IsSwitchChannel(int nChannel);
    void SetSwitchChannel(int nChannel, bool bOn);
    std::string GetTypeName();
    void SetTypeName(const std::string& strText);
    std::string GetDescription();
    void SetDescription(const std::string& strText);
    std::string GetNote();
    void SetNote(const std::string& strText);
    short GetTypeId();

    // --- by identifier: " " when no type has it ---
    std::string GetNameById(short nId) const override;
    std::string GetDescriptionById(short nId) const override;
    std::string GetNoteById(short nId) const override;

private:
    bool ReadTypes(CArchive& ar);
    static bool SerializeType(CArchive& ar, ModuleType& type);
    static bool IsChannel(int nChannel) { return nChannel >= 1 && nChannel <= 10; }

    std::string m_strLaunchDir;
    CShellServices& m_shell;
    int32_t m_bStrictChecking = 0;
    std::vector<std::unique_ptr<ModuleType>> m_apTypes;
    ModuleType* m_pCurrent = nullptr;
};
