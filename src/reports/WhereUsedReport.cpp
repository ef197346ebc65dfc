#include "reports/WhereUsedReport.h"

#include "controls/Sheet.h"
#include "model/ShellServices.h"
#include "model/System.h"

namespace {

constexpr int kHeadingRow = 4;
constexpr int kFirstListRow = 7;

void Emphasis(CSheet& sheet, int nRow, int nCol, const std::string& strText) {
    sheet.SetTextRC(nRow, nCol, strText);
    sheet.SetActiveCell(nRow, nCol);
    sheet.SetFontBold(true);
}

} // namespace

void BuildWhereUsedReport(CSheet& sheet, CSystem& sys) {
    sys.Shell().Trace("Where used update view\n");
    sys.FindWhereUsed();
    sheet.SetPrintLandscape(true);
    sheet.SetPrintTitleRows(1, kHeadingRow);
    Emphasis(sheet, 1, 1, "Where Used List for channel " + sys.GetCurChannelCaption());
    Emphasis(sheet, kHeadingRow, 1, "CHANNEL");
    Emphasis(sheet, kHeadingRow, 2, "EQUATION");
    int nRow = kFirstListRow;
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
                if (!sys.Channel(nModule, nChannel, nLoop).m_bWhereUsed)
                    continue;
                sheet.SetTextRC(nRow, 1, sys.GetEquationHead(nModule, nChannel, nLoop));
                sheet.SetTextRC(nRow, 2, sys.GetEquationBody(nModule, nChannel, nLoop));
                ++nRow;
            }
    if (nRow == kFirstListRow)
        sheet.SetTextRC(nRow++, 1, "No occurrences found.");
    sheet.SetColWidthAuto(3, 1, nRow, 3, false);
}
