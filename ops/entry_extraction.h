// The checks and the writing that every extraction shares, whole archive
// or a selection of its entries.
#pragma once

#include <string>
#include <vector>

#include "core/file.h"
#include "core/wad.h"
#include "ops/frontend.h"

namespace mw {

// Refuses, with an AppError naming the entry and the archive at
// archivePath, a table that holds any name extraction would not write below
// its output folder. Checked before anything is written, so a hostile
// archive leaves nothing.
void CheckEntryNames(const std::vector<WadEntry>& entries, const std::string& archivePath);

// Writes the entries, in table order, from archive to their files below
// outputFolder, on several cores. An entry whose output already is the
// archive itself is refused through the frontend before anything is
// written, and false is returned.
bool WriteEntriesBelow(const std::vector<WadEntry>& entries, File& archive, const std::string& outputFolder,
                       Frontend& frontend);

}  // namespace mw
