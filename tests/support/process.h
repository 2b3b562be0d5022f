// Runs a program and collects what it printed and its exit code.
#pragma once

#include <string>
#include <vector>

namespace mw::test {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs program with arguments in folder (the current one when empty), with
// no standard input and the given variables set on top of this process's.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder = "", const Environment& environment = {});

}  // namespace mw::test
