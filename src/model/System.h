#pragma once

#include "model/ChannelRecord.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

class CArchive;
class CShellServices;
class CLinkControl;

struct CRgb {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
    bool operator==(const CRgb&) const = default;
};

// The whole definition of one controller system: six loops of sixteen
// modules of ten channels, their equations, flags, labels and states, the
// module types, 160 timers, sleep mode, four high speed pairs and ten system
// labels, plus the editing state the editors share. Strings hold 8-bit text
// in the Windows-1252 code page; the launch directory is a native path.
class CSystem {
public:
    static constexpr short kLoops = 6;
    static constexpr short kModulesPerLoop = 16;
    static constexpr short kChannelsPerModule = 10;
    static constexpr short kChannelsPerLoop = 160;
    static constexpr short kChannels = 960;
    static constexpr short kTimers = 160;
    static constexpr short kHiSpeedPairs = 4;
    static constexpr short kSysLabels = 10;
    static constexpr short kEquationLoops = 4;
    static constexpr std::size_t kLabelLength = 15;
    static constexpr const char* kVersionText = "CorvelII 6.63";

    enum ESysLabel : short {
        SysLabelVehicleModel = 0,
        SysLabelAuthor = 1,
        SysLabelRevisionDate = 2,
        SysLabelVersion = 3,
        SysLabelFileName = 5,
    };
    enum EObjectGroup : int { GroupChannel = 0, GroupModule = 1, GroupSystem = 2 };

    static constexpr const char* kWorkingFile = "SYSTEM6C.DAT";
    static constexpr const char* kListingFile = "Corvel_SS.VTS";

    // Records strLaunchDir (the process's working directory when empty) as the
    // launch directory and reads the working file there, creating it from the
    // defaults when it does not exist. Nothing is written at destruction: the
    // program's exit sequence calls SaveWorkingFiles.
    CSystem(CShellServices& shell, const std::string& strLaunchDir = {});
    // Chooses the constructor of a scratch record.
    struct CScratch {};
    // A scratch record (a compare with the controller, a command-line run):
    // it starts from the defaults and reads or creates no working file. The
    // launch directory only resolves the relative names a caller gives.
    CSystem(CShellServices& shell, CScratch, const std::string& strLaunchDir);
    CSystem(const CSystem&) = delete;
    CSystem& operator=(const CSystem&) = delete;

    void SetLinkControl(CLinkControl* pLink) { m_pLink = pLink; }
    CShellServices& Shell() const { return m_shell; }

    // --- channel addressing (no state) ---
    static short MakeIndex(short nLoop, short nModule, short nChannel);
    static short LoopOf(short nIndex) { return static_cast<short>(nIndex / kChannelsPerLoop); }
    static short ModuleOf(short nIndex);
    static short ChannelOf(short nIndex) { return static_cast<short>(nIndex % kChannelsPerModule); }
    static bool IsValidIndex(int nIndex) { return nIndex >= 0 && nIndex < kChannels; }
    static bool IsHighSpeedCapable(int nIndex) { return nIndex >= 0 && nIndex < kChannelsPerLoop; }
    static bool IsValidLoop(int nLoop) { return nLoop >= 0 && nLoop < kLoops; }
    static bool IsValidModule(int nModule) { return nModule >= 0 && nModule < kModulesPerLoop; }
    static bool IsValidChannel(int nChannel) {
        return nChannel >= 0 && nChannel < kChannelsPerModule;
    }
    static bool IsEquationLoop(int nLoop) { return nLoop >= 0 && nLoop < kEquationLoops; }
    static short GetLastModule(short nLoop);
    static char GetLastModuleLetter(short nLoop);
    static short GetLastChannelIndex(short nLoop);
    static std::string GetLoopName(short nLoop);
    static std::string GetLoopShortName(short nLoop);
    static CRgb GetLoopColour(short nLoop);
    static char ModuleLetter(short nModule) { return static_cast<char>('A' + nModule); }
    static std::string ChannelDesignation(short nModule, short nChannel);
    // "_" for -1 (and any other index outside 0..959).
    static std::string IndexDesignation(short nIndex);
    // The module letter of a stored index, "" for none.
    static std::string IndexModuleLetter(short nIndex);
    static std::string DefaultChannelLabel(short nModule, short nChannel, short nLoop);
    static std::string DefaultModuleLabel(short nModule, short nLoop);
    static std::string DefaultSysLabel(short nLabel);
    static std::string DateText(const std::tm& date);
    static std::string TodayText();
    static bool IsFastTimer(short nTimer) { return nTimer % 10 < 6; }

    // --- lifetime ---
    void ResetToDefaults();
    void SetModified();
    // Marks unsaved changes without SetModified's date and version stamp:
    // the system labels editor must keep the revision date typed into it.
    void MarkModified() { m_bModified = 1; }
    void ClearModified() { m_bModified = 0; }
    bool IsModified() const { return m_bModified != 0; }

    // --- launch directory and file path ---
    const std::string& GetLaunchDir() const { return m_strLaunchDir; }
    bool ReturnToLaunchDir();
    // A file name resolved against the launch directory (absolute names stay).
    std::string LaunchPath(const std::string& strName) const;
    const std::string& GetFilePath() const { return m_strFilePath; }
    void SetFilePath(const std::string& strPath) { m_strFilePath = strPath; }
    std::string GetFileDir() const;
    // A file's name without its folder (either separator) and without the
    // text from its last dot.
    static std::string FileTitle(const std::string& strPath);
    // Names the system after a file as Open does: the file label is the
    // title's first 15 characters, the path that label followed by ".DVX".
    void SetFileTitle(const std::string& strTitle);

    // --- stored files ---
    // Stores the layout, or loads it and applies the load rules. Returns
    // false when the archive ran out or held a damaged string; the fields
    // read so far are then already overwritten.
    bool Serialize(CArchive& ar);
    // An empty path means the working file; names without a folder are in
    // the launch directory. A damaged file or an existing file that cannot
    // be read is reported and leaves the system as ResetToDefaults made it;
    // only a missing file is created from the defaults.
    bool LoadSystemFile(const std::string& strPath);
    // Open's read of a user system file: the system in memory is replaced
    // only by a file read whole. A damaged or unreadable file is reported
    // and leaves the system unchanged; a missing one is created from the
    // defaults, as LoadSystemFile does.
    bool OpenSystemFile(const std::string& strPath);
    bool SaveSystemFile(const std::string& strPath);
    // Reads a system file that must already exist, creating nothing: a
    // missing, unreadable or damaged file is reported and leaves the
    // defaults. The file path stays as the file stores it, so the record
    // read is the record stored.
    bool ReadSystemFile(const std::string& strPath);
    // The read of both, from the bytes of a file already in memory: false,
    // reporting nothing, when they are damaged or end early, and every
    // stored field is then as it was.
    bool ReadSystemData(std::vector<unsigned char> data);
    // The working file, then the equation listing, in the launch directory.
    bool SaveWorkingFiles();
    bool WriteEquationListing();
    // The listing's text: one line for each defined equation.
    std::string EquationListing();
    std::string GetEquationLine(short nModule, short nChannel, short nLoop);

    // --- old-format files ---
    // A damaged old file is reported and the system is put back as it was.
    bool ImportOldFile(const std::string& strPath);
    // The import's read, from the bytes of a file already in memory; false,
    // reporting nothing, when they are damaged.
    bool ImportOldData(std::vector<unsigned char> data);
    bool ExportOldFile(const std::string& strPath);
    static short OldToNewIndex(short nOld);
    static short NewToOldIndex(short nNew);

    // --- the text form (JSON) ---
    // A text that cannot be read or breaks the form is reported in one line
    // naming the key and the reason, and the system stays as it was.
    bool ImportTextFile(const std::string& strPath);
    bool ExportTextFile(const std::string& strPath);

    // --- current selection ---
    short GetCurLoop() const { return m_nCurLoop; }
    void SetCurLoop(short nLoop) { m_nCurLoop = nLoop; }
    short GetCurLoopLimited();
    std::string GetCurLoopName() const { return GetLoopName(m_nCurLoop); }
    short GetCurModule();
    // The stored value, which may still be 16..19 (see GetCurModule).
    short GetStoredCurModule() const { return m_nCurModule; }
    void SetCurModule(short nModule) { m_nCurModule = nModule; }
    char GetCurModuleLetter() const { return ModuleLetter(m_nCurModule); }
    short GetCurChannel() const { return m_nCurChannel; }
    void SetCurChannel(short nChannel) { m_nCurChannel = nChannel; }
    void NextCurChannel();
    short GetCurIndex() const { return MakeIndex(m_nCurLoop, m_nCurModule, m_nCurChannel); }

    // --- channel labels ---
    std::string GetChannelLabel(short nModule, short nChannel, short nLoop) const;
    std::string GetChannelLabelOrDefault(short nModule, short nChannel, short nLoop);
    std::string GetCurChannelLabel();
    void SetCurChannelLabel(const std::string& strText);
    std::string GetChannelLabelInCurModule(short nChannel);
    void SetChannelLabelInCurModule(short nChannel, const std::string& strText);
    bool IsChannelLabelCustom(short nModule, short nChannel, short nLoop) const;
    // The stored label as it is, for the file writer and label transfer.
    const std::string& StoredChannelLabel(short nModule, short nChannel, short nLoop) const;
    void StoreChannelLabel(short nModule, short nChannel, short nLoop, const std::string& strText);

    // --- module labels ---
    std::string GetModuleLabel(short nModule, short nLoop) const;
    void SetModuleLabel(short nModule, short nLoop, const std::string& strText);
    std::string GetCurModuleLabel();
    std::string GetModuleLabelInCurLoop(short nModule) const;
    void SetModuleLabelInCurLoop(short nModule, const std::string& strText);
    // The label as it is, without the default for an empty one.
    void StoreModuleLabel(short nModule, short nLoop, const std::string& strText);
    bool IsModuleLabelCustom(short nModule, short nLoop) const;

    // --- system labels ---
    std::string GetSysLabel(short nLabel) const;
    void SetSysLabel(short nLabel, const std::string& strText);
    void StoreSysLabel(short nLabel, const std::string& strText);

    // --- module types ---
    short GetModuleType(short nModule, short nLoop) const;
    void SetModuleType(short nModule, short nLoop, short nType);
    short GetCurModuleType();
    void SetCurModuleType(short nType);
    bool IsModuleInUse(short nModule, short nLoop) const;

    // --- channel state ---
    int GetChannelState(short nChannel);
    void SetChannelState(short nChannel, int nState);
    void ToggleChannelState(short nChannel);
    void SetChannelStateByIndex(short nIndex, int nState);
    int GetChannelStateAt(short nModule, short nChannel, short nLoop) const;
    void SetChannelStateAt(short nModule, short nChannel, short nLoop, int nState);
    int GetModuleStateBits(short nModule, short nLoop) const;
    void ToggleChannelStateAt(short nModule, short nChannel, short nLoop);
    int GetChannelReserved(short nIndex) const { return m_anChannelReserved[nIndex]; }
    void SetChannelReserved(short nIndex, int nValue) { m_anChannelReserved[nIndex] = nValue; }

    // --- channel flags of the current channel ---
    bool GetPowerUpOn() { return CurRecord().m_bPowerUpOn != 0; }
    void SetPowerUpOn(bool bOn) { CurRecord().m_bPowerUpOn = bOn; }
    bool GetOutput() { return CurRecord().m_bOutput != 0; }
    void SetOutput(bool bOn) { CurRecord().m_bOutput = bOn; }
    bool GetMomentaryLatch() { return CurRecord().m_bMomentaryLatch != 0; }
    void SetMomentaryLatch(bool bOn) { CurRecord().m_bMomentaryLatch = bOn; }
    bool GetOutputInCurModule(short nChannel);
    void SetOutputInCurModule(short nChannel, bool bOn);

    // --- equation fields of the current channel ---
    bool GetEquationNot() { return CurRecord().m_bEquationNot != 0; }
    void SetEquationNot(bool bOn) { CurRecord().m_bEquationNot = bOn; }
    bool GetGroupNotA() { return CurRecord().m_bGroupNotA != 0; }
    void SetGroupNotA(bool bOn) { CurRecord().m_bGroupNotA = bOn; }
    bool GetGroupNotB() { return CurRecord().m_bGroupNotB != 0; }
    void SetGroupNotB(bool bOn) { CurRecord().m_bGroupNotB = bOn; }
    bool GetTermNotA(short i) { return CurRecord().m_abTermNotA[i] != 0; }
    void SetTermNotA(short i, bool bOn) { CurRecord().m_abTermNotA[i] = bOn; }
    bool GetTermNotB(short i) { return CurRecord().m_abTermNotB[i] != 0; }
    void SetTermNotB(short i, bool bOn) { CurRecord().m_abTermNotB[i] = bOn; }
    short GetTermA(short i) { return CurRecord().m_anTermA[i]; }
    void SetTermA(short i, short nIndex) { CurRecord().m_anTermA[i] = nIndex; }
    short GetTermB(short i) { return CurRecord().m_anTermB[i]; }
    void SetTermB(short i, short nIndex) { CurRecord().m_anTermB[i] = nIndex; }
    bool GetTermPrA(short i) { return CurRecord().m_abTermPrA[i] != 0; }
    void SetTermPrA(short i, bool bOn) { CurRecord().m_abTermPrA[i] = bOn; }
    bool GetTermPrB(short i) { return CurRecord().m_abTermPrB[i] != 0; }
    void SetTermPrB(short i, bool bOn) { CurRecord().m_abTermPrB[i] = bOn; }
    std::string GetTermALabel(short i);
    std::string GetTermBLabel(short i);
    // Coordinates of a term's source for the editor: module letter "_" and
    // channel number 1 when the term is absent.
    static std::string TermModuleLetter(short nSource);
    static short TermChannelNumber(short nSource);
    static short TermLoop(short nSource);

    // --- equations ---
    // Any source outside 0..959 counts as absent.
    static bool IsTermPresent(short nSource) { return IsValidIndex(nSource); }
    bool IsEquationDefined(short nModule, short nChannel, short nLoop) const;
    bool IsCurEquationDefined();
    std::string GetEquationText(short nModule, short nChannel, short nLoop);
    std::string GetCurEquationText();
    std::string GetEquationBody(short nModule, short nChannel, short nLoop);
    std::string GetEquationHead(short nModule, short nChannel, short nLoop);
    std::string GetChannelCaption(short nModule, short nChannel, short nLoop);
    std::string GetCurChannelCaption();
    std::string PreviewEquationText();
    short GetCurEquationType();
    std::string GetCurEquationTypeName();
    void SetCurEquationType(short nType);
    short NextCurEquationType();
    bool IsCurTypeAndWithinGroups();
    bool IsCurTypeAndBetweenGroups();
    static std::string GetEquationTypeName(short nType);
    // How each type presents the canonical flags: where a type inverts a
    // flag, the stored flag is the opposite of the box the editor shows.
    static bool IsTermNotInverted(short nType) { return nType == 1 || nType == 3; }
    static bool IsGroupNotInverted(short nType) { return nType == 1 || nType == 2; }
    static bool IsWholeNotInverted(short nType) { return nType == 2 || nType == 3; }
    void ClearEquation(short nModule, short nChannel, short nLoop);
    void ClearCurEquation();
    void ClearModuleEquations();
    void ClearCurChannel();
    void CopyEquation();
    void PasteEquation(short nModule, short nChannel, short nLoop);
    void PasteCurEquation();
    void BackupEquations();
    void RestoreEquations();
    int FindWhereUsed();
    void ClearWhereUsed();
    void ClearCopyMarks();

    // --- preview (the Boolean editor's working copy) ---
    CChannelRecord& Preview() { return m_previewChannel; }
    void SetPreviewEquationNot(bool bOn) { m_previewChannel.m_bEquationNot = bOn; }
    void SetPreviewGroupNotA(bool bOn) { m_previewChannel.m_bGroupNotA = bOn; }
    void SetPreviewGroupNotB(bool bOn) { m_previewChannel.m_bGroupNotB = bOn; }
    void SetPreviewTermNotA(short i, bool bOn) { m_previewChannel.m_abTermNotA[i] = bOn; }
    void SetPreviewTermNotB(short i, bool bOn) { m_previewChannel.m_abTermNotB[i] = bOn; }
    void SetPreviewTermA(short i, short nIndex) { m_previewChannel.m_anTermA[i] = nIndex; }
    void SetPreviewTermB(short i, short nIndex) { m_previewChannel.m_anTermB[i] = nIndex; }
    void SetPreviewTermPrA(short i, bool bOn) { m_previewChannel.m_abTermPrA[i] = bOn; }
    void SetPreviewTermPrB(short i, bool bOn) { m_previewChannel.m_abTermPrB[i] = bOn; }

    // --- record access for the file formats and the controller protocol ---
    CChannelRecord& Channel(short nModule, short nChannel, short nLoop);
    const CChannelRecord& Channel(short nModule, short nChannel, short nLoop) const;
    CChannelRecord& CurRecord();
    const CChannelRecord& ClipChannel() const { return m_clipChannel; }
    const CChannelRecord& BackupChannel(short nModule, short nChannel, short nLoop) const;

    // --- timers ---
    short GetTimerReloadCount(short nTimer) const;
    void SetTimerReloadFromCount(short nTimer, short nCount);
    short GetTimerCurrentCount(short nTimer) const;
    void SetTimerCurrentFromCount(short nTimer, short nCount);
    float GetTimerReload(short nTimer) const { return m_afTimerReload[nTimer]; }
    void SetTimerReload(short nTimer, float fSeconds) { m_afTimerReload[nTimer] = fSeconds; }
    float GetTimerCurrent(short nTimer) const { return m_afTimerCurrent[nTimer]; }
    void SetTimerCurrent(short nTimer, float fSeconds) { m_afTimerCurrent[nTimer] = fSeconds; }
    // The seconds the controller runs for a stored value: its whole counts.
    float GetTimerReloadAsRun(short nTimer) const;
    float GetTimerCurrentAsRun(short nTimer) const;
    float GetCurModuleTimerReload(short nChannel) const;
    void SetCurModuleTimerReload(short nChannel, float fSeconds);
    float GetCurModuleTimerCurrent(short nChannel) const;
    void SetCurModuleTimerCurrent(short nChannel, float fSeconds);
    std::string GetTimerReloadText(short nTimer) const;

    // --- sleep mode ---
    bool GetSleepEnabled() const { return m_bSleepEnabled != 0; }
    void SetSleepEnabled(bool bOn) { m_bSleepEnabled = bOn; }
    short GetSleepInactivity() const { return m_nSleepInactivity; }
    void SetSleepInactivity(short nValue) { m_nSleepInactivity = nValue; }
    short GetSleepWakeUp() const { return m_nSleepWakeUp; }
    void SetSleepWakeUp(short nValue) { m_nSleepWakeUp = nValue; }
    static std::string GetEnabledText(bool bOn) { return bOn ? "Enabled" : "Disabled"; }

    // --- high speed pairs ---
    short GetHiSpeedInput(short nPair) const { return m_anHiSpeedInput[nPair]; }
    short GetHiSpeedOutput(short nPair) const { return m_anHiSpeedOutput[nPair]; }
    void SetHiSpeedInput(short nPair, short nIndex);
    void SetHiSpeedOutput(short nPair, short nIndex);
    bool IsHiSpeedChannel(short nModule, short nChannel, short nLoop) const;
    bool IsCurChannelHiSpeed() const;
    // Display helpers for a stored pair index: designation ("_" when unset),
    // module letter ("" when unset), channel label.
    static std::string HiSpeedDesignation(short nIndex) { return IndexDesignation(nIndex); }
    static std::string HiSpeedModuleLetter(short nIndex) { return IndexModuleLetter(nIndex); }
    std::string HiSpeedChannelLabel(short nIndex) const;
    // The Blue loop label of a module a pair may use, cut to a label field's
    // length (a label read from an old file may be longer); "" for no module.
    std::string HiSpeedModuleLabel(short nModule) const;
    static std::string HiSpeedInputCaption(short nPair);
    static std::string HiSpeedOutputCaption(short nPair);

    // --- link ---
    void SetLinkActive(bool bOn) { m_bLinkActive = bOn; }
    bool IsLinkActive() const { return m_bLinkActive != 0; }
    void SuspendLink();
    void ResumeLink();
    static int GetDelayCount() { return 100; }

    // --- processor time ---
    void SetBoolProcTime(short nMilliseconds) { m_nBoolProcTime = nMilliseconds; }
    short GetBoolProcTime() const { return m_nBoolProcTime; }
    void ShowBoolProcTime();

    // --- object group, picked loop, loop monitor ---
    int GetObjectGroup() const { return m_nObjectGroup; }
    void SetObjectGroup(int nGroup) { m_nObjectGroup = nGroup; }
    int GetPickedLoop() const { return m_nPickedLoop; }
    void SetPickedLoop(int nLoop);
    void SetLoopMonitor(short nLoop, bool bOn);
    bool GetLoopMonitor(short nLoop) const;
    void SaveLoopMonitor();
    bool GetLoopMonitorSaved(short nLoop) const;

    // --- stored-only values ---
    const std::string& GetReserved() const { return m_strReserved; }
    void SetReserved(const std::string& strText) { m_strReserved = strText; }

private:
    void SerializeHead(CArchive& ar, short nTimers);
    CChannelRecord& SerializeChannelHead(CArchive& ar, short nModule, short nChannel, short nLoop);
    void SerializeFields(CArchive& ar);
    void SerializeChannel(CArchive& ar, short nModule, short nChannel, short nLoop);
    void SerializeOld(CArchive& ar);
    void SerializeOldChannel(CArchive& ar, short nModule, short nChannel, short nLoop);
    void ApplyLoadRules();
    bool ReadOldLayout(CArchive& ar);
    bool ReadSystemLayout(CArchive& ar);
    // Runs a read; when it fails, every stored field is put back as it was
    // before, so a damaged file never leaves a half-loaded system.
    bool ReadAllOrNothing(CArchive& ar, bool (CSystem::*pRead)(CArchive&));
    // Reads a file that must already exist; a missing or unreadable one is
    // reported as the kind named ("system", "text") and gives false.
    bool ReadExistingFile(const std::string& strPath, const std::string& strKind,
                          std::vector<unsigned char>& data);
    // Timer index of a channel of the current module, -1 when the current
    // module or the channel is outside the timer range.
    int CurModuleTimer(short nChannel) const;

    CChannelRecord& Record(short nModule, short nChannel, short nLoop);
    const CChannelRecord& Record(short nModule, short nChannel, short nLoop) const;
    int ModuleSlot(short nModule, short nLoop) const { return nLoop * kModulesPerLoop + nModule; }
    void AppendGroup(std::string& strText, const int32_t* abNot, const int16_t* anTerm,
                     const int32_t* abPr, bool bGroupNot, const char* szLead, int16_t* anRepair);
    std::string EquationText(CChannelRecord& record, const char* szStart);

    CShellServices& m_shell;
    CLinkControl* m_pLink = nullptr;

    CChannelRecord m_aChannel[kLoops][kModulesPerLoop][kChannelsPerModule];
    std::string m_astrChannelLabel[kLoops][kModulesPerLoop][kChannelsPerModule];
    std::string m_astrModuleLabel[kLoops][kModulesPerLoop];
    int16_t m_anModuleType[kLoops][kModulesPerLoop] = {};
    std::string m_astrSysLabel[kSysLabels];
    int32_t m_anChannelState[kChannels] = {};
    int32_t m_anChannelReserved[kChannels] = {};

    float m_afTimerReload[kTimers] = {};
    float m_afTimerCurrent[kTimers] = {};
    int32_t m_bSleepEnabled = 0;
    int16_t m_nSleepInactivity = 2;
    int16_t m_nSleepWakeUp = 10;
    int16_t m_anHiSpeedInput[kHiSpeedPairs] = {-1, -1, -1, -1};
    int16_t m_anHiSpeedOutput[kHiSpeedPairs] = {-1, -1, -1, -1};

    int16_t m_nCurLoop = 0;
    int16_t m_nCurModule = 0;
    int16_t m_nCurChannel = 0;
    int32_t m_nObjectGroup = GroupSystem;
    std::string m_strFilePath;
    std::string m_strReserved;
    std::string m_strLaunchDir;
    int32_t m_bModified = 0;
    uint8_t m_bLinkActive = 0;
    uint8_t m_bLinkWasActive = 0;
    int16_t m_nBoolProcTime = 0;
    int32_t m_abLoopMonitor[kLoops] = {};
    int32_t m_abLoopMonitorSaved[kLoops] = {};
    int32_t m_nPickedLoop = 0;

    CChannelRecord m_aChannelBackup[kLoops][kModulesPerLoop][kChannelsPerModule];
    CChannelRecord m_clipChannel;
    CChannelRecord m_previewChannel;
};
