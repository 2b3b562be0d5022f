// Extraction on several cores: the entries are split into lanes that
// threads write side by side. Every entry whose file lies in one folder
// goes in one lane, in archive order, so that entries naming the same file
// are written in the order the archive holds them and the last one stays,
// as when one thread writes them all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/file.h"
#include "core/output_tree.h"
#include "core/wad.h"
#include "ops/frontend.h"

namespace mw {

// Where below the output folder an entry is written.
std::string OutputPath(const WadEntry& entry);

// The lanes for count entries: one per core, at most four, and a single
// one where starting threads would cost more than they save.
std::size_t ExtractionLaneCount(std::size_t entryCount);

// The identity of the folder at a path below the output folder (with the
// platform's separator), as OutputTree::FolderIdentity gives it.
using FolderIdentityOf = std::function<std::optional<FileIdentity>(const std::string& folder)>;

// The indices of the entries, lane by lane, each lane in archive order.
// Entries go by the folder they lie in: by its identity where identityOf
// gives one, so that names the file system folds together share a lane,
// else by its name. The folders with the most work go first, each to the
// lane with the least so far; a file's work is its bytes and a fixed cost
// per file.
std::vector<std::vector<std::int32_t>> SplitIntoLanes(const std::vector<WadEntry>& entries, std::size_t laneCount,
                                                      const FolderIdentityOf& identityOf = {});

// Writes every entry's bytes from archive to its file below output, in
// laneCount lanes (this thread's and one thread each for the others).
// Only this thread reaches the frontend: it shows "Extracting files" and
// the bytes moved, and lists the files in archive order as they are
// written. When an entry fails, every entry before it is still written and
// the failure of the first entry that failed is raised once all lanes
// have stopped; files that other lanes wrote past it are listed too.
void WriteEntries(const std::vector<WadEntry>& entries, File& archive, OutputTree& output, Frontend& frontend,
                  std::size_t laneCount);

}  // namespace mw
