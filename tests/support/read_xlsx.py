"""Reads a workbook with openpyxl, a reader independent of the writer, and
prints what the tests compare: one line per cell, column width and setting,
fields separated by tabs, line breaks and tabs in texts escaped."""
import sys

import openpyxl


def escape(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\r", "\\r").replace("\t", "\\t")


# Opened as a stream, so a workbook under the old ".XLS" name is read by its
# content as spreadsheet programs do.
with open(sys.argv[1], "rb") as stream:
    book = openpyxl.load_workbook(stream)
sheet = book.worksheets[0]
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is None and not cell.has_style:
            continue
        font = cell.font
        kind = "N" if isinstance(cell.value, (int, float)) else ("E" if cell.value is None else "T")
        value = repr(float(cell.value)) if kind == "N" else escape(cell.value or "")
        print("\t".join(["CELL", str(cell.row), str(cell.column), "1" if font.b else "0",
                         "1" if font.u == "single" else "0", str(font.sz), kind, value]))
for letter, dimension in sheet.column_dimensions.items():
    if dimension.customWidth:
        print("\t".join(["WIDTH", str(dimension.min), repr(dimension.width)]))
print("\t".join(["ORIENTATION", sheet.page_setup.orientation or "default"]))
print("\t".join(["GRIDLINES", "1" if sheet.print_options.gridLines else "0"]))
# Pages wide and tall left out of the file mean one page each.
fit = sheet.sheet_properties.pageSetUpPr
wide, tall = sheet.page_setup.fitToWidth, sheet.page_setup.fitToHeight
print("\t".join(["FIT", "1" if fit is not None and fit.fitToPage else "0",
                 str(1 if wide is None else wide), str(1 if tall is None else tall)]))
print("\t".join(["TITLEROWS", sheet.print_title_rows or "none"]))
