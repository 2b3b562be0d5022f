#include "cli/cli_arguments.h"

#include <map>

namespace mw::cli {

const char* const kUsage =
    "Usage: mendwright-cli [-v | -q] COMMAND ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  create SOURCE ARCHIVE           pack every file below the folder SOURCE into ARCHIVE\n"
    "  extract ARCHIVE OUTPUT          unpack ARCHIVE into the folder OUTPUT\n"
    "  update SOURCE ARCHIVE           patch ARCHIVE with the file or folder SOURCE\n"
    "  update-tracks SOURCE [--gp4 FOLDER]\n"
    "                                  patch the seventeen track archives of the GP4\n"
    "                                  installation (FOLDER, else the one found in Wine)\n"
    "  list ARCHIVE                    one line per entry: index, offset, size, name\n"
    "\n"
    "Options:\n"
    "  -v, --verbose   print every status text on stderr\n"
    "  -q, --quiet     print nothing but errors\n"
    "  -h, --help      print this help\n"
    "  --version       print the version\n"
    "\n"
    "Exit codes: 0 done, 1 file error, 2 refused input, 64 wrong usage.\n";

namespace {

struct CommandShape {
    Command command;
    std::size_t operands;
};

const std::map<std::string, CommandShape> kCommands = {
    {"create", {Command::Create, 2}},  {"extract", {Command::Extract, 2}},
    {"update", {Command::Update, 2}},  {"update-tracks", {Command::UpdateTracks, 1}},
    {"list", {Command::List, 1}},
};

}  // namespace

std::optional<Invocation> ParseArguments(const std::vector<std::string>& arguments)
{
    Invocation invocation;
    std::vector<std::string> words;
    bool help = false, version = false, optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            words.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-v" || argument == "--verbose") {
            invocation.verbosity = Verbosity::Verbose;
        } else if (argument == "-q" || argument == "--quiet") {
            invocation.verbosity = Verbosity::Quiet;
        } else if (argument == "-h" || argument == "--help") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else if (argument == "--gp4") {
            if (++i == arguments.size())
                return std::nullopt;
            invocation.gp4Folder = arguments[i];
        } else if (argument.rfind("--gp4=", 0) == 0) {
            invocation.gp4Folder = argument.substr(6);
        } else {
            return std::nullopt;
        }
    }
    if (help) {
        invocation.command = Command::Help;
        return invocation;
    }
    if (version) {
        invocation.command = Command::Version;
        return invocation;
    }
    if (words.empty())
        return std::nullopt;
    const auto shape = kCommands.find(words.front());
    if (shape == kCommands.end() || words.size() - 1 != shape->second.operands)
        return std::nullopt;
    invocation.command = shape->second.command;
    if (invocation.gp4Folder && invocation.command != Command::UpdateTracks)
        return std::nullopt;
    invocation.operands.assign(words.begin() + 1, words.end());
    return invocation;
}

std::string UsageProblem(const Invocation& invocation)
{
    if (invocation.command == Command::Extract && invocation.operands[1].empty())
        return "extract: OUTPUT is empty; name a folder (an empty name would mean the root of the file system)";
    return {};
}

}  // namespace mw::cli
