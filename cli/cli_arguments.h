// The command line of mendwright-cli: a command, its operands, and options
// that may stand anywhere.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mw::cli {

enum class Command { Create, Extract, Update, UpdateTracks, List, Help, Version };

enum class Verbosity { Quiet, Normal, Verbose };

struct Invocation {
    Command command = Command::Help;
    std::vector<std::string> operands;
    std::optional<std::string> gp4Folder;  // --gp4, update-tracks only
    Verbosity verbosity = Verbosity::Normal;
};

// The invocation, or nothing when the command line is wrong (an unknown
// command or option, a missing or extra operand).
std::optional<Invocation> ParseArguments(const std::vector<std::string>& arguments);

// Why a well-formed invocation still cannot run, or "" when it can.
std::string UsageProblem(const Invocation& invocation);

extern const char* const kUsage;

}  // namespace mw::cli
