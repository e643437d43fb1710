#pragma once
// Turns a workbook into the bytes of an Excel 97–2003 (BIFF8) "Workbook" stream.
#include <string>

#include "workbook/WorksheetBook.h"

namespace veldrin {

// The whole workbook stream: the globals (code page, window, fonts, cell formats, style, one sheet
// entry per worksheet, shared strings), then one substream per worksheet with its text cells.
// Empty cells are written as blank cells so that every row keeps its place.
std::string Biff8WorkbookStream(const WorksheetBook& book);

}  // namespace veldrin
