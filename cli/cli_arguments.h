// The command line of mendwright-cli: a command, its operands, and options
// that may stand anywhere.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mw::cli {

enum class Command {
    Create, Extract, Update, UpdateTracks, Undo, History, List, Verify, Find, Mods, Status, Help, Version
};

enum class Verbosity { Quiet, Normal, Verbose };

struct Invocation {
    Command command = Command::Help;
    std::vector<std::string> operands;     // for extract, the patterns follow ARCHIVE and OUTPUT
    std::optional<Command> helpTopic;      // Help: the command whose help is asked for
    std::optional<std::string> gp4Folder;  // --gp4, update-tracks, find, mods and status
    std::optional<std::string> wadArchive;  // --wad, mods and status
    std::optional<std::string> modName;     // --name, update and update-tracks
    bool dryRun = false;                   // --dry-run, update, update-tracks and mods
    bool force = false;                    // --force, create and mods
    bool noWait = false;                   // --no-wait, update, update-tracks and undo
    bool noUndo = false;                   // --no-undo, create, update and update-tracks
    std::optional<int> steps;              // --steps, undo only
    bool json = false;                     // --json, list and mods
    Verbosity verbosity = Verbosity::Normal;
};

// A command line that is wrong; the text says what is wrong, in one line.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The invocation; a wrong command line (an unknown command or option, a
// missing or extra operand, an option the command does not take) raises
// a UsageError.
Invocation ParseArguments(const std::vector<std::string>& arguments);

// The whole usage, and one command's help.
std::string UsageText();
std::string CommandHelp(Command command);

}  // namespace mw::cli
