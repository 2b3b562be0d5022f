// What mendwright-cli prints besides the operations' own texts: errors in
// the form "mendwright-cli: PATH: TEXT (REASON)".
#pragma once

#include <string>
#include <string_view>

namespace mw::cli {

// "mendwright-cli: " + path (when given) + ": " + text, then the system's
// own text for its error code systemError in parentheses when it is not 0.
void PrintError(const std::string& text, const std::string& path = {}, int systemError = 0);

// A wrong command line: the reason and where to look, on stderr.
void PrintUsageError(const std::string& reason);

}  // namespace mw::cli
