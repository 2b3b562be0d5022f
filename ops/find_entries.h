// Find: the entries whose names match a pattern, in every archive of a
// folder and below it (a GP4 installation).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/wad.h"
#include "ops/frontend.h"
#include "ops/run_state.h"

namespace mw {

// Hears of what the search finds, as it finds it.
class FoundEntries {
public:
    virtual void Found(const std::string& archive, const WadEntry& entry) = 0;
    // An archive whose directory could not be read, or whose entries lie
    // outside it: the error that says why. The search goes on.
    virtual void Failed(const std::string& archive, const AppError& error) = 0;
    // A folder below the installation, or a link in it, that could not be
    // read: the error names it. Its archives are not searched; the search
    // goes on.
    virtual void FolderFailed(const AppError& error) = 0;

protected:
    ~FoundEntries() = default;
};

// What a search found, in the order found, and how many archives and
// folders failed.
struct FoundEntry {
    std::string archive;
    WadEntry entry;
};
class FoundEntryList : public FoundEntries {
public:
    // Empties the list before a new search.
    void Clear();
    const std::vector<FoundEntry>& Rows() const { return rows_; }
    std::size_t Failures() const { return failures_; }
    std::size_t FolderFailures() const { return folderFailures_; }

    void Found(const std::string& archive, const WadEntry& entry) override;
    void Failed(const std::string& archive, const AppError& error) override;
    void FolderFailed(const AppError& error) override;

private:
    std::vector<FoundEntry> rows_;
    std::size_t failures_ = 0;
    std::size_t folderFailures_ = 0;
};

// The caption of a search's results: "Find *.tex - Mendwright".
std::string FindTitle(const std::string& pattern);
// The line under them: "2 entries found" ("1 entry found"; "No entry
// found" and how names are looked for, when none is), with "; 2 wads
// could not be read" and "; 1 folder could not be read" when some could not.
std::string FindSummaryText(std::size_t found, std::size_t failures, std::size_t folderFailures);

// Reads the directory of every ".wad" file (any case) below folder, in the
// order of their paths, and reports each entry whose name the pattern
// finds (EntrySearch), in table order. The search
// stays inside folder: a link is followed only where it leads inside it.
void FindEntries(const std::string& folder, const std::string& pattern, FoundEntries& found);

// The same over the GP4 installation, for a window: without one, the
// user-error box says so and false is returned.
bool FindInInstallation(RunState& state, Frontend& frontend, const std::string& pattern, FoundEntries& found);

}  // namespace mw
