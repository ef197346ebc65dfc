#include "reports/Documentation.h"

#include "controls/Sheet.h"
#include "model/System.h"
#include "moduletypes/ModuleTypeTexts.h"

#include <cstdio>

namespace {

constexpr int kColumnWidth2 = 4096;
constexpr int kColumnWidth3 = 20480;
// The title and the line under it head every printed page.
constexpr int kTitleRows = 2;
constexpr short kTimerRunningLoop = 5;
constexpr short kDocumentedTimers = 10;

std::string Format(const char* szFormat, int nValue) {
    char szText[32];
    std::snprintf(szText, sizeof szText, szFormat, nValue);
    return szText;
}

// Writes the sheet row by row; m_nRow is the running row, which only grows.
class CDocumentationWriter {
public:
    CDocumentationWriter(CSheet& sheet, CSystem& sys, const CModuleTypeTexts& types)
        : m_sheet(sheet), m_sys(sys), m_types(types) {}

    void Build() {
        WriteHeader();
        for (short nLoop = 0; nLoop < CSystem::kEquationLoops; ++nLoop)
            for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
                if (m_sys.IsModuleInUse(nModule, nLoop))
                    WriteModule(nModule, nLoop);
        WriteTimers();
        WriteSleepMode();
        WriteHighSpeed();
        m_sheet.SetColWidth(2, kColumnWidth2);
        m_sheet.SetColWidth(3, kColumnWidth3);
        m_sheet.SetAllowDesigner(true);
        // Printed upright the equation column went to pages of its own.
        m_sheet.SetPrintLandscape(true);
        m_sheet.SetPrintTitleRows(1, kTitleRows);
    }

private:
    void Text(int nCol, const std::string& strText) { m_sheet.SetTextRC(m_nRow, nCol, strText); }
    void Emphasis(int nCol, const std::string& strText) {
        Text(nCol, strText);
        m_sheet.SetActiveCell(m_nRow, nCol);
        m_sheet.SetFontBold(true);
    }
    void Heading(int nCol, const std::string& strText) {
        Text(nCol, strText);
        m_sheet.SetActiveCell(m_nRow, nCol);
        m_sheet.SetFontUnderline(true);
    }
    void Field(const std::string& strName, const std::string& strValue) {
        Emphasis(1, strName);
        Text(3, strValue);
        ++m_nRow;
    }

    void WriteHeader() {
        m_nRow = 1;
        const int nSize = m_sheet.GetFontSize();
        m_sheet.SetActiveCell(1, 1);
        m_sheet.SetFontSize(-2 * nSize);
        Text(1, "Norvane DVX");
        m_sheet.SetActiveCell(1, 1);
        m_nRow = 2;
        Emphasis(1, "Vehicle Setup Documentation");
        m_nRow = 4;
        Field("Vehicle Model", m_sys.GetSysLabel(0));
        Field("Author", m_sys.GetSysLabel(1));
        Field("Revision Date", m_sys.GetSysLabel(2));
        Field("DVX Version", m_sys.GetSysLabel(3));
        Field("DVX CPU Version", m_sys.GetSysLabel(4));
        Field("DVX File", m_sys.GetSysLabel(5) + ".DVX");
        m_nRow = 11;
        Emphasis(1, "CHANNEL DEFINITIONS");
        m_nRow = 12;
    }

    void WriteModule(short nModule, short nLoop) {
        Field("Loop", CSystem::GetLoopName(nLoop));
        const std::string strLetter(1, CSystem::ModuleLetter(nModule));
        Emphasis(1, "Module");
        Text(2, strLetter);
        Text(3, m_sys.GetModuleLabel(nModule, nLoop));
        ++m_nRow;
        const short nType = m_sys.GetModuleType(nModule, nLoop);
        Emphasis(1, "Type");
        Text(2, m_types.GetNameById(nType));
        Text(3, m_types.GetDescriptionById(nType) + " " + m_types.GetNoteById(nType));
        ++m_nRow;
        Heading(1, "Address");
        Heading(2, "Channel");
        Heading(3, "Associated Boolean");
        ++m_nRow;
        for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
            Text(1, strLetter + std::to_string(nChannel + 1));
            Text(2, m_sys.GetChannelLabel(nModule, nChannel, nLoop));
            Text(3, m_sys.GetEquationText(nModule, nChannel, nLoop));
            ++m_nRow;
        }
        ++m_nRow;
    }

    void WriteTimers() {
        Emphasis(1, "TIMER SETUP");
        ++m_nRow;
        Heading(1, "Timer");
        Heading(2, "Name");
        Heading(3, "Time (seconds)");
        ++m_nRow;
        for (short nTimer = 1; nTimer <= kDocumentedTimers; ++nTimer) {
            m_sheet.SetNumberRC(m_nRow, 1, nTimer);
            Text(2, m_sys.GetChannelLabel(0, static_cast<short>(nTimer - 1), kTimerRunningLoop));
            Text(3, m_sys.GetTimerReloadText(static_cast<short>(nTimer - 1)));
            ++m_nRow;
        }
        ++m_nRow;
    }

    // The sleep mode block is the one whose field names carry no emphasis.
    void WriteSleepMode() {
        Emphasis(1, "SLEEP MODE SETUP");
        ++m_nRow;
        const std::pair<const char*, std::string> aFields[] = {
            {"Status", CSystem::GetEnabledText(m_sys.GetSleepEnabled())},
            {"Inactivity Interval", Format("%d", m_sys.GetSleepInactivity() * 10)},
            {"Wake Up Interval", Format("%d", m_sys.GetSleepWakeUp())},
        };
        for (const auto& [szName, strValue] : aFields) {
            Text(1, szName);
            Text(3, strValue);
            ++m_nRow;
        }
        ++m_nRow;
    }

    void WriteHighSpeed() {
        Emphasis(1, "HIGH SPEED CHANNELS SETUP");
        ++m_nRow;
        Heading(2, "Channel");
        Heading(3, "Label");
        ++m_nRow;
        for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
            const short nInput = m_sys.GetHiSpeedInput(nPair);
            Text(1, Format("Input %d", nPair + 1));
            Text(2, CSystem::HiSpeedDesignation(nInput));
            Text(3, m_sys.HiSpeedChannelLabel(nInput));
            ++m_nRow;
            const short nOutput = m_sys.GetHiSpeedOutput(nPair);
            Text(1, Format("Output %d", nPair + 1));
            Text(2, CSystem::HiSpeedDesignation(nOutput));
            Text(3, CSystem::IsValidIndex(nOutput)
                        ? m_sys.GetChannelLabelOrDefault(CSystem::ModuleOf(nOutput),
                                                         CSystem::ChannelOf(nOutput),
                                                         CSystem::LoopOf(nOutput))
                        : std::string());
            ++m_nRow;
        }
    }

    CSheet& m_sheet;
    CSystem& m_sys;
    const CModuleTypeTexts& m_types;
    int m_nRow = 1;
};

} // namespace

void BuildDocumentation(CSheet& sheet, CSystem& sys, const CModuleTypeTexts& types) {
    CDocumentationWriter(sheet, sys, types).Build();
}
