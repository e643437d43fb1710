#!/usr/bin/env python3
"""Reads an .xlsx workbook back with openpyxl and prints every cell, for the workbook tests.

One line per sheet ("sheet<TAB>NAME<TAB>ROWS<TAB>CHARTS") followed by one line per non-empty cell:
"cell<TAB>ROW<TAB>COLUMN<TAB>KIND<TAB>VALUE" (rows and columns from 1). KIND is "number" (VALUE as
repr of the float), "datetime" (VALUE as YYYY-MM-DD HH:MM:SS) or "text". Exits with 77 when
openpyxl is not installed, so that the caller can skip with that reason.
"""
import datetime
import sys

try:
    import openpyxl
except ImportError:
    print("python3-openpyxl is not installed", file=sys.stderr)
    sys.exit(77)


def main(path):
    # Not read-only: the charts are read only in the full mode.
    book = openpyxl.load_workbook(path)
    out = sys.stdout
    for sheet in book.worksheets:
        out.write("sheet\t%s\t%d\t%d\n" % (sheet.title, sheet.max_row, len(sheet._charts)))
        for row in sheet.iter_rows():
            for cell in row:
                value = cell.value
                if value is None:
                    continue
                if isinstance(value, datetime.datetime):
                    # A serial day number holds a second only to within microseconds: round.
                    value = (value + datetime.timedelta(microseconds=500000)).replace(microsecond=0)
                    kind, text = "datetime", value.strftime("%Y-%m-%d %H:%M:%S")
                elif isinstance(value, bool):
                    kind, text = "text", str(value)
                elif isinstance(value, (int, float)):
                    kind, text = "number", repr(float(value))
                else:
                    kind, text = "text", str(value).replace("\t", " ").replace("\n", " ")
                out.write("cell\t%d\t%d\t%s\t%s\n" % (cell.row, cell.column, kind, text))


if __name__ == "__main__":
    main(sys.argv[1])
