// Runs a program and collects what it printed and its exit code.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace mw::test {

struct ProcessResult {
    int exitCode = -1;  // 128 + the signal's number when a signal ended it
    std::string out;
    std::string err;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs program with arguments in folder (the current one when empty), with
// no standard input and the given variables set on top of this process's.
// With a time limit, a program still running after that many seconds is
// killed (exit code 137).
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder = "", const Environment& environment = {},
                         unsigned timeLimitSeconds = 0);

// RunProcess, as the unprivileged user nobody when the tests run as root
// (folder, and all in it, handed to that user first), so that a file's
// permissions refuse what they would refuse a user.
ProcessResult RunUnprivileged(const std::string& folder, const std::string& program,
                              const std::vector<std::string>& arguments, const Environment& environment = {},
                              unsigned timeLimitSeconds = 0);

// Starts program with arguments, its output thrown away, and returns at once.
pid_t StartProcess(const std::string& program, const std::vector<std::string>& arguments);
// The same with its standard error written to errorFile as it runs, and the
// given variables set on top of this process's.
pid_t StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& errorFile, const Environment& environment = {});
// Waits for a started process; its exit code, or 128 + the signal's number.
// With a time limit, kills it first when it runs longer.
int WaitProcess(pid_t process, unsigned timeLimitSeconds = 0);

}  // namespace mw::test
