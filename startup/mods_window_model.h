// What the Mods window shows and asks, for both toolkits: the installed
// mods of one installation as rows, the selected mod's entries with who the
// game reads each from, the installation's status, and the question before
// a removal. The windows only draw it and run the changes it names.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ops/mods/mod_changes.h"
#include "ops/mods/mod_ledger.h"
#include "ops/mods/mod_listing.h"
#include "ops/run_state.h"

namespace mw {

struct ModRow {
    std::string name;
    bool enabled = false;    // the box: a partly enabled mod shows as enabled
    bool permanent = false;  // folded in by the store's cap: no box to change
    std::string date;
    std::string archives;  // file names, ", " between them
    std::string entries;   // "3 replaced, 1 appended"
    std::string conflict;  // "2 overwritten" when later mods overwrite its entries, else ""
};

struct ModEntryRow {
    std::string archive;  // file name
    std::string entry;    // as the contents window shows it
    std::string kind;     // "replaced" or "appended"
    std::string winner;   // who the game reads it from now
};

// The ledger the window works on: the installation of the archive the main
// window names when there is one, else the installation found; "" when
// there is neither.
std::string ModsScopeOf(const RunState& state, const std::string& archiveText);

class ModsWindowModel {
public:
    ModsWindowModel(const RunState& state, std::string scope);

    const std::string& Scope() const { return scope_; }
    // Reads the ledger again; a damaged ledger raises the AppError naming it.
    void Reload();
    const std::vector<ModRow>& Rows() const { return rows_; }
    // The entries of the mod of a row, archive by archive.
    std::vector<ModEntryRow> EntryRows(std::size_t row) const;
    // One line per archive the mods changed: "cars.wad: changed by mods: a, b".
    std::string StatusText() const;
    // What the window's line under the list says: the installation and how many mods.
    std::string SummaryText() const;
    // The change a button or a box asks for the mod of a row.
    ModChangeRequest RequestFor(std::size_t row, ModAction action, bool dryRun = false) const;
    // Which of Enable, Disable and Remove the mod of a row (-1: none) allows.
    struct Buttons {
        bool enable, disable, remove;
    };
    Buttons ButtonsFor(int row) const;
    // The change to run for the mod of a row (-1: none): nothing for a
    // permanent mod, and a removal only once its dry run, run through
    // heldBack with frontend, passed and ask answered yes to the question
    // that names what goes back.
    std::optional<ModChangeRequest> ChangeFor(int row, ModAction action, Frontend& frontend,
                                              const std::function<void(const std::function<void()>&)>& heldBack,
                                              const std::function<bool(const std::string&)>& ask) const;

private:
    const RunState& state_;
    std::string scope_;
    ModLedger ledger_;
    std::vector<ModSummary> summaries_;
    std::vector<ModRow> rows_;
};

// The question before a removal, naming what goes back per archive, from
// the removal's dry run.
std::string RemoveQuestion(const std::string& name, const std::vector<ArchiveChanges>& changes);

}  // namespace mw
