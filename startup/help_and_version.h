// `mendwright --help` and `mendwright --version`: answered before the GUI
// application exists, so that they need no display.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mw {

// The text to print for a lone --help or --version (the program's own path
// left out); nothing for any other arguments.
std::optional<std::string> HelpOrVersionText(const std::vector<std::string>& arguments);

}  // namespace mw
