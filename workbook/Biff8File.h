#pragma once
// Excel 97–2003 workbook files: the BIFF8 workbook stream inside an OLE2 compound file. Written
// with libgsf, read with FreeXL.
#include <string>

#include "logger/Status.h"
#include "workbook/WorksheetBook.h"

namespace veldrin {

// Writes `book` to `path`. The file is written beside the target under a temporary name and
// renamed over it only when complete, so a failure leaves any earlier file as it was.
Status WriteBiff8File(const std::string& path, const WorksheetBook& book);
// Reads every worksheet of the workbook at `path`, each cell as text (numbers as their shortest
// exact text, dates as FreeXL shows them).
Status ReadBiff8File(const std::string& path, WorksheetBook& book);

}  // namespace veldrin
