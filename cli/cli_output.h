// What mendwright-cli prints besides the operations' own texts: errors in
// the form "mendwright-cli: PATH: TEXT (CAUSE)", and usage errors.
#pragma once

#include <string>

namespace mw::cli {

// "mendwright-cli: " + path (when given) + ": " + text, then the cause in
// parentheses when there is one.
void PrintError(const std::string& text, const std::string& path = {}, const std::string& cause = {});

// A wrong command line: the reason and where to look, on stderr.
void PrintUsageError(const std::string& reason);

}  // namespace mw::cli
