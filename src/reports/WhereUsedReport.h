#pragma once

class CSheet;
class CSystem;

// The where-used list of the current channel: the title row, the headings
// in row 4 and, from row 7, one row per channel whose equation uses it,
// with the column widths fitted to the list. Leaves the search's marks in
// the system.
void BuildWhereUsedReport(CSheet& sheet, CSystem& sys);
