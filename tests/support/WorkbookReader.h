#pragma once

#include <map>
#include <string>
#include <utility>

// A workbook as an independent reader (openpyxl) sees it: what the sheet
// writer's tests compare.
struct CReadCell {
    bool bBold = false;
    bool bUnderline = false;
    double dPoints = 0.0;
    // "T" text, "N" number, "E" formatted but empty.
    std::string strKind;
    // UTF-8; a number in Python's shortest form; \, tab, CR, LF escaped.
    std::string strValue;
};

struct CReadBook {
    std::map<std::pair<int, int>, CReadCell> aCells;
    // Stored widths by column, in characters with the cell margins.
    std::map<int, double> adWidths;
    std::string strOrientation;
    std::string strGridLines;
    // The page setup: "fit to page" switched on, and the pages wide and tall
    // it fits to, as openpyxl reads them (one when not stored), e.g. "1 1 0".
    std::string strFit;
    // The rows repeated on every printed page, such as "$1:$2"; "none".
    std::string strTitleRows;
};

// Reads the first sheet of a workbook; a test failure when it cannot.
CReadBook ReadWorkbook(const std::string& strPath);

// The number of pages of a PDF file and the size of its first page in
// points ("595 x 842"), through poppler's pdfinfo; 0 and "" when it cannot.
int PdfPageCount(const std::string& strPath);
std::string PdfPageSize(const std::string& strPath);
// The text on one page of a PDF file (from 1), through poppler's pdftotext.
std::string PdfPageText(const std::string& strPath, int nPage);
