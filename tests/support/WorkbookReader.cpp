#include "support/WorkbookReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> SplitTabs(const std::string& strLine) {
    std::vector<std::string> astrFields;
    std::stringstream in(strLine);
    std::string strField;
    while (std::getline(in, strField, '\t'))
        astrFields.push_back(strField);
    if (!strLine.empty() && strLine.back() == '\t')
        astrFields.emplace_back();
    return astrFields;
}

// Debian's openpyxl is installed for the system's Python.
std::string Python() {
    std::ifstream system("/usr/bin/python3");
    return system ? "/usr/bin/python3" : "python3";
}

std::string Run(const std::string& strCommand, int& nStatus) {
    FILE* pPipe = popen(strCommand.c_str(), "r");
    std::string strOutput;
    char szBuffer[4096];
    while (pPipe && fgets(szBuffer, sizeof szBuffer, pPipe))
        strOutput += szBuffer;
    nStatus = pPipe ? pclose(pPipe) : -1;
    return strOutput;
}

std::string PdfInfo(const std::string& strPath, const std::string& strField) {
    int nStatus = 0;
    const std::string strOutput = Run("cd / && pdfinfo '" + strPath + "' 2>&1", nStatus);
    EXPECT_EQ(0, nStatus) << "pdfinfo (poppler-utils, installed by scripts/install-deps.sh):\n"
                          << strOutput;
    std::smatch match;
    const std::regex field(strField + ": *([^\\n]*)");
    return std::regex_search(strOutput, match, field) ? match[1].str() : "";
}

} // namespace

CReadBook ReadWorkbook(const std::string& strPath) {
    CReadBook book;
    int nStatus = 0;
    const std::string strOutput =
        Run("cd / && " + Python() + " " CORVEL_SOURCE_DIR "/tests/support/read_xlsx.py '" +
                strPath + "' 2>&1",
            nStatus);
    EXPECT_EQ(0, nStatus) << "openpyxl could not read the workbook (python3-openpyxl is one of "
                             "the packages scripts/install-deps.sh installs):\n"
                          << strOutput;
    std::stringstream lines(strOutput);
    std::string strLine;
    while (std::getline(lines, strLine)) {
        std::vector<std::string> astr = SplitTabs(strLine);
        if (astr.empty())
            continue;
        if (astr[0] == "CELL" && astr.size() == 8)
            book.aCells[{std::stoi(astr[1]), std::stoi(astr[2])}] = {
                astr[3] == "1", astr[4] == "1", std::stod(astr[5]), astr[6], astr[7]};
        else if (astr[0] == "WIDTH" && astr.size() == 3)
            book.adWidths[std::stoi(astr[1])] = std::stod(astr[2]);
        else if (astr[0] == "ORIENTATION" && astr.size() == 2)
            book.strOrientation = astr[1];
        else if (astr[0] == "GRIDLINES" && astr.size() == 2)
            book.strGridLines = astr[1];
        else if (astr[0] == "FIT" && astr.size() == 4)
            book.strFit = astr[1] + " " + astr[2] + " " + astr[3];
        else if (astr[0] == "TITLEROWS" && astr.size() == 2)
            book.strTitleRows = astr[1];
    }
    return book;
}

int PdfPageCount(const std::string& strPath) {
    const std::string strPages = PdfInfo(strPath, "Pages");
    return strPages.empty() ? 0 : std::stoi(strPages);
}

std::string PdfPageSize(const std::string& strPath) {
    const std::string strSize = PdfInfo(strPath, "Page size");
    return strSize.substr(0, strSize.find(" pts"));
}

std::string PdfPageText(const std::string& strPath, int nPage) {
    int nStatus = 0;
    const std::string strPage = std::to_string(nPage);
    const std::string strOutput =
        Run("cd / && pdftotext -f " + strPage + " -l " + strPage + " '" + strPath + "' - 2>&1",
            nStatus);
    EXPECT_EQ(0, nStatus) << "pdftotext (poppler-utils):\n" << strOutput;
    return strOutput;
}
