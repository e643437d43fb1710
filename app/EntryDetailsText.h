#pragma once
// The archive browser's details pane: an entry's identity, where it came from, and its trail.
#include <QString>

#include "archive/ArchiveTypes.h"

namespace veldrin {

QString EntryDetailsText(const archive::EntryDetails& details);

}  // namespace veldrin
