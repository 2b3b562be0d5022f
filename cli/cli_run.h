// A whole run of mendwright-cli: the command line read, the command run,
// its output and errors printed; the exit code returned.
#pragma once

#include <string>
#include <vector>

namespace mw::cli {

// arguments are the words after the program's name. Exit codes: 0 done,
// 1 a file error (or an unsound archive for verify), 2 a refused input,
// 64 a wrong command line.
int RunCli(const std::vector<std::string>& arguments);

}  // namespace mw::cli
