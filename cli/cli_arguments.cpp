#include "cli/cli_arguments.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstring>

#include "core/path_helpers.h"

namespace mw::cli {
namespace {

struct CommandShape {
    const char* name;
    Command command;
    std::vector<const char*> operands;  // their names, as the help writes them
    bool morePatterns;                  // PATTERN... may follow the operands
    const char* summary;
    const char* details;
};

const std::array<CommandShape, 11> kCommands = {{
    {"create", Command::Create, {"SOURCE", "ARCHIVE"}, false,
     "pack every file below the folder SOURCE into ARCHIVE",
     "Entries are named by their path below SOURCE, with \\ between folders,\n"
     "in the order the folder lists them.\n"
     "  --force     replace ARCHIVE when it exists (without it, an existing\n"
     "              ARCHIVE is refused); the replaced archive is kept as an\n"
     "              undo record, which undo gives back\n"
     "  --no-undo   keep no undo record of a replaced archive\n"},
    {"extract", Command::Extract, {"ARCHIVE", "OUTPUT"}, true,
     "unpack ARCHIVE, or only the entries matching a PATTERN, into OUTPUT",
     "A PATTERN matches entry names: * any run of characters, ? any one,\n"
     "letters in either case, \\ and / alike (quote it for the shell).\n"
     "A pattern that matches no entry is refused and nothing is written.\n"
     "An archive with an entry name that would leave OUTPUT is refused whole.\n"},
    {"update", Command::Update, {"SOURCE", "ARCHIVE"}, false,
     "patch ARCHIVE with the file or folder SOURCE",
     "Each source file replaces the first entry it matches, or is appended.\n"
     "  --dry-run   print replace<TAB>ENTRY<TAB>FILE or append<TAB>ENTRY<TAB>FILE\n"
     "              for each source file, in order, and write nothing; a\n"
     "              replace ends with <TAB>MOD when the entry holds the bytes\n"
     "              of the installed mod MOD\n"
     "  --no-wait   fail at once when another update is writing ARCHIVE\n"
     "              (without it, wait for that update to end)\n"
     "  --no-undo   keep no undo record (for scripts that keep their own backups)\n"
     "  --name NAME the name of the mod the update installs (without it, the\n"
     "              source folder's name; a number is added when it is taken)\n"},
    {"update-tracks", Command::UpdateTracks, {"SOURCE"}, false,
     "patch the seventeen track archives of the GP4 installation",
     "  --gp4 FOLDER  the GP4 folder; without it, the installation that the\n"
     "                Wine prefix ($WINEPREFIX, else ~/.wine) names\n"
     "  --dry-run     print what each archive's update would do, write nothing\n"
     "  --no-wait     fail at once when another update is writing a track archive\n"
     "                (without it, wait for that update to end)\n"
     "  --no-undo     keep no undo record\n"
     "  --name NAME   the name of the mod the update installs\n"},
    {"undo", Command::Undo, {"ARCHIVE"}, false, "give ARCHIVE back as it was before its last update",
     "An update of the track batch or of an update package's run is undone\n"
     "with the other archives it changed. An archive changed since its update\n"
     "is refused, and nothing is written.\n"
     "  --steps N   undo the last N updates, one after the other\n"
     "  --no-wait   fail at once when an update is writing ARCHIVE\n"},
    {"history", Command::History, {"ARCHIVE"}, false, "list the updates of ARCHIVE that undo can step back",
     "Newest first, one line per update: TIME<TAB>WHAT<TAB>SOURCE, WHAT being\n"
     "update, track batch, auto-install or create, followed by \"(N wads)\" when undo\n"
     "gives back N archives at once; then <TAB>replace<TAB>ENTRY or\n"
     "<TAB>append<TAB>ENTRY for each source file of the update.\n"},
    {"list", Command::List, {"ARCHIVE"}, false, "one line per entry: index, offset, size, name",
     "Fields are separated by tabs; control characters in names show as ?.\n"
     "  --json   a JSON array of {\"index\", \"offset\", \"size\", \"name\"} objects\n"},
    {"verify", Command::Verify, {"ARCHIVE"}, false, "check every entry of ARCHIVE and read its bytes",
     "Prints INDEX<TAB>NAME<TAB>FAULT for each entry whose bytes lie outside the\n"
     "file or over the directory, or whose name extraction would refuse, then a\n"
     "summary. Exit code 0 when the archive is sound, 1 when it is not.\n"},
    {"find", Command::Find, {"PATTERN"}, false,
     "list the entries matching PATTERN in every archive of the GP4 installation",
     "One line per entry: ARCHIVE<TAB>ENTRY<TAB>SIZE, for every .wad file in\n"
     "the GP4 folder and below. Letters match in either case, \\ and / alike.\n"
     "Text without * or ? finds the names that hold it (helmet finds\n"
     "cars\\ferrari\\helmet_1.tex). A pattern (* any run of characters, ? any\n"
     "one) must match the last part of a name when it holds no \\ or /\n"
     "(helmet*.tex finds every helmet at any depth), the whole name when it\n"
     "does (cars\\*\\helmet*). When nothing matches, stderr says so; the exit\n"
     "code is still 0. An archive that cannot be read is named on stderr, the\n"
     "search goes on, and the exit code is 1.\n"
     "  --gp4 FOLDER  the GP4 folder; without it, the installation that the\n"
     "                Wine prefix ($WINEPREFIX, else ~/.wine) names\n"},
    {"mods", Command::Mods, {}, true,
     "list the mods installed in the GP4 installation, show, disable, enable or remove them",
     "Each update installs a mod, named after its source folder (or --name).\n"
     "Mods can be disabled, enabled and removed in any order: each archive is\n"
     "then the archive as Mendwright first found it with the enabled mods\n"
     "installed over it in install order.\n"
     "  mods                     one line per mod, in install order:\n"
     "                           NAME<TAB>STATE<TAB>TIME<TAB>ARCHIVES<TAB>COUNTS<TAB>SOURCE\n"
     "  mods show NAME           one line per entry: ARCHIVE<TAB>ENTRY<TAB>replaced or\n"
     "                           appended<TAB>who the game reads it from now\n"
     "  mods disable NAME...     take the mods out; their bytes are kept\n"
     "  mods enable NAME...      put disabled mods back at their place in the order\n"
     "  mods remove NAME...      take the mods out and forget them\n"
     "  --gp4 FOLDER  the GP4 folder; without it, the Wine prefix's installation\n"
     "  --wad ARCHIVE the mods of ARCHIVE's installation, or of ARCHIVE itself\n"
     "                when it lies outside any\n"
     "  --json        mods: a JSON array of objects with name, enabled, state,\n"
     "                permanent, time, source, archives, replaced, appended\n"
     "                and overwritten\n"
     "  --dry-run     print what each archive would get back, by entry, and\n"
     "                write nothing\n"
     "  --force       go on where another program changed entries the change\n"
     "                touches, leaving those as they are\n"
     "  --no-wait     fail at once when an update is writing an archive\n"},
    {"status", Command::Status, {}, false, "tell, per archive, whether it is as found or which mods changed it",
     "One line per archive Mendwright changed: ARCHIVE<TAB>as found, changed by\n"
     "mods: NAMES, or entries changed outside: ENTRIES (by another program).\n"
     "  --gp4 FOLDER  the GP4 folder; without it, the Wine prefix's installation\n"
     "  --wad ARCHIVE the archive's installation, or the archive outside any\n"},
}};

const CommandShape* FindCommand(const std::string& name)
{
    for (const CommandShape& shape : kCommands)
        if (name == shape.name)
            return &shape;
    return nullptr;
}

const CommandShape& ShapeOf(Command command)
{
    return *std::find_if(kCommands.begin(), kCommands.end(),
                         [&](const CommandShape& shape) { return shape.command == command; });
}

std::string Synopsis(const CommandShape& shape)
{
    std::string text = shape.name;
    for (const char* operand : shape.operands)
        text += std::string(" ") + operand;
    if (shape.morePatterns && shape.command != Command::Mods)
        text += " [PATTERN...]";
    if (shape.command == Command::Mods)
        text += " [show NAME | disable|enable|remove NAME...]";
    if (shape.command == Command::UpdateTracks || shape.command == Command::Find)
        text += " [--gp4 FOLDER]";
    if (shape.command == Command::Mods || shape.command == Command::Status)
        text += " [--gp4 FOLDER | --wad ARCHIVE]";
    if (shape.command == Command::Create)
        text += " [--force] [--no-undo]";
    if (shape.command == Command::Update || shape.command == Command::UpdateTracks)
        text += " [--dry-run] [--no-wait] [--no-undo] [--name NAME]";
    if (shape.command == Command::Mods)
        text += " [--json] [--dry-run] [--force] [--no-wait]";
    if (shape.command == Command::Undo)
        text += " [--steps N] [--no-wait]";
    if (shape.command == Command::List)
        text += " [--json]";
    return text;
}

constexpr const char* kCommonOptions =
    "Options:\n"
    "  -v, --verbose   print every status text and one line per file on stderr\n"
    "  -q, --quiet     print nothing but errors\n"
    "  -h, --help      print this help (after a command: that command's help)\n"
    "  --version       print the version\n"
    "\n"
    "Exit codes: 0 done, 1 file error, 2 refused input, 64 wrong usage.\n";

enum LongOnly { kVersion = 256, kGp4, kDryRun, kNoWait, kJson, kNoUndo, kSteps, kWad, kName, kForce };

const option kOptions[] = {
    {"verbose", no_argument, nullptr, 'v'}, {"quiet", no_argument, nullptr, 'q'},
    {"help", no_argument, nullptr, 'h'},    {"version", no_argument, nullptr, kVersion},
    {"gp4", required_argument, nullptr, kGp4}, {"dry-run", no_argument, nullptr, kDryRun},
    {"no-wait", no_argument, nullptr, kNoWait}, {"json", no_argument, nullptr, kJson},
    {"no-undo", no_argument, nullptr, kNoUndo}, {"steps", required_argument, nullptr, kSteps},
    {"wad", required_argument, nullptr, kWad},  {"name", required_argument, nullptr, kName},
    {"force", no_argument, nullptr, kForce},
    {nullptr, 0, nullptr, 0},
};

// A command-specific option on another command.
void CheckOptionBelongs(bool given, const char* option, const Invocation& invocation,
                        std::initializer_list<Command> commands)
{
    if (given && std::find(commands.begin(), commands.end(), invocation.command) == commands.end())
        throw UsageError(std::string("option '") + option + "' does not go with " +
                         ShapeOf(invocation.command).name);
}

// The number of --steps: a whole number from 1 up.
int StepsOf(const char* text)
{
    int steps = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, steps);
    if (error != std::errc() || stop != end || steps < 1)
        throw UsageError(std::string("--steps takes a whole number from 1 up, not '") + text + "'");
    return steps;
}

// mods takes nothing, "show NAME", or a change and the names it changes;
// --dry-run and --force go with the changes only, --json with the list.
void CheckModsWords(const Invocation& invocation)
{
    const std::vector<std::string>& words = invocation.operands;
    const std::string verb = words.empty() ? "" : words.front();
    const bool change = verb == "disable" || verb == "enable" || verb == "remove";
    if (!verb.empty() && verb != "show" && !change)
        throw UsageError("mods: unknown word '" + verb + "' (show, disable, enable or remove)");
    if (verb == "show" && words.size() != 2)
        throw UsageError(words.size() < 2 ? "mods show: missing NAME" : "mods show: extra operand '" + words[2] + "'");
    if (change && words.size() < 2)
        throw UsageError("mods " + verb + ": missing NAME");
    if ((invocation.dryRun || invocation.force) && !change)
        throw UsageError(std::string("option '") + (invocation.dryRun ? "--dry-run" : "--force") +
                         "' goes with mods disable, enable and remove");
    if (invocation.json && !verb.empty())
        throw UsageError("option '--json' goes with mods alone");
}

}  // namespace

std::string UsageText()
{
    std::string text = "Usage: mendwright-cli [-v | -q] COMMAND ARGUMENTS\n\nCommands:\n";
    for (const CommandShape& shape : kCommands)
        text += "  " + Synopsis(shape) + "\n      " + shape.summary + "\n";
    text += "\n'mendwright-cli COMMAND --help' prints a command's help.\n\n";
    return text + kCommonOptions;
}

std::string CommandHelp(Command command)
{
    const CommandShape& shape = ShapeOf(command);
    // The summary, written for the command list, opens the help as a sentence.
    std::string sentence = shape.summary;
    sentence.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence.front())));
    return "Usage: mendwright-cli [-v | -q] " + Synopsis(shape) + "\n\n" + sentence + ".\n" + shape.details +
           "\n" + kCommonOptions;
}

Invocation ParseArguments(const std::vector<std::string>& arguments)
{
    // getopt_long takes argv as main receives it and reorders it, so that
    // options may stand anywhere.
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv{const_cast<char*>("mendwright-cli")};
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(argv.size() - 1);

    Invocation invocation;
    bool help = false, version = false;
    optind = 0;  // a fresh scan, however often this runs
    opterr = 0;  // the reasons are ours
    for (;;) {
        const int option = getopt_long(argc, argv.data(), ":vqh", kOptions, nullptr);
        if (option == -1)
            break;
        switch (option) {
        case 'v': invocation.verbosity = Verbosity::Verbose; break;
        case 'q': invocation.verbosity = Verbosity::Quiet; break;
        case 'h': help = true; break;
        case kVersion: version = true; break;
        case kGp4: invocation.gp4Folder = optarg; break;
        case kDryRun: invocation.dryRun = true; break;
        case kNoWait: invocation.noWait = true; break;
        case kJson: invocation.json = true; break;
        case kNoUndo: invocation.noUndo = true; break;
        case kSteps: invocation.steps = StepsOf(optarg); break;
        case kWad: invocation.wadArchive = NativePath(optarg); break;
        case kName: invocation.modName = optarg; break;
        case kForce: invocation.force = true; break;
        case ':': throw UsageError(std::string("option '") + argv[optind - 1] + "' needs an argument");
        default:
            if (optopt != 0)
                throw UsageError(std::string("unknown option '-") + static_cast<char>(optopt) + "'");
            throw UsageError(std::string("unknown option '") + argv[optind - 1] + "'");
        }
    }
    const std::vector<std::string> words(argv.begin() + optind, argv.begin() + argc);
    const CommandShape* shape = words.empty() ? nullptr : FindCommand(words.front());
    if (help) {
        invocation.command = Command::Help;
        if (shape)
            invocation.helpTopic = shape->command;
        return invocation;
    }
    if (version) {
        invocation.command = Command::Version;
        return invocation;
    }
    if (words.empty())
        throw UsageError("missing command");
    if (!shape)
        throw UsageError("unknown command '" + words.front() + "'");
    invocation.command = shape->command;
    invocation.operands.assign(words.begin() + 1, words.end());
    const std::size_t needed = shape->operands.size();
    if (invocation.operands.size() < needed)
        throw UsageError(std::string(shape->name) + ": missing " + shape->operands[invocation.operands.size()]);
    if (invocation.operands.size() > needed && !shape->morePatterns)
        throw UsageError(std::string(shape->name) + ": extra operand '" + invocation.operands[needed] + "'");
    // Paths in either spelling; the patterns that may follow read both anyway.
    for (std::size_t i = 0; i < needed; ++i)
        invocation.operands[i] = NativePath(invocation.operands[i]);
    if (invocation.gp4Folder)
        invocation.gp4Folder = NativePath(*invocation.gp4Folder);
    CheckOptionBelongs(invocation.gp4Folder.has_value(), "--gp4", invocation,
                       {Command::UpdateTracks, Command::Find, Command::Mods, Command::Status});
    CheckOptionBelongs(invocation.wadArchive.has_value(), "--wad", invocation, {Command::Mods, Command::Status});
    CheckOptionBelongs(invocation.modName.has_value(), "--name", invocation, {Command::Update, Command::UpdateTracks});
    CheckOptionBelongs(invocation.force, "--force", invocation, {Command::Create, Command::Mods});
    CheckOptionBelongs(invocation.dryRun, "--dry-run", invocation,
                       {Command::Update, Command::UpdateTracks, Command::Mods});
    CheckOptionBelongs(invocation.noWait, "--no-wait", invocation,
                       {Command::Update, Command::UpdateTracks, Command::Undo, Command::Mods});
    CheckOptionBelongs(invocation.noUndo, "--no-undo", invocation,
                       {Command::Create, Command::Update, Command::UpdateTracks});
    CheckOptionBelongs(invocation.steps.has_value(), "--steps", invocation, {Command::Undo});
    CheckOptionBelongs(invocation.json, "--json", invocation, {Command::List, Command::Mods});
    if (invocation.command == Command::Mods)
        CheckModsWords(invocation);
    if (invocation.command == Command::Extract && invocation.operands[1].empty())
        throw UsageError("extract: OUTPUT is empty; name a folder (an empty name would mean the root of the file system)");
    return invocation;
}

}  // namespace mw::cli
