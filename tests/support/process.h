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

// Runs program with arguments in folder (the current one when empty),
// with no standard input.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder = "");

}  // namespace mw::test
