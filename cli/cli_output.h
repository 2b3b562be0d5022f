// What mendwright-cli prints besides the operations' own texts: errors in
// the form "mendwright-cli: PATH: TEXT (CAUSE)", and the check that its
// output reached where it was sent.
#pragma once

#include <string>
#include <string_view>

namespace mw::cli {

// "mendwright-cli: " + path (when given) + ": " + text, then the cause in
// parentheses when there is one.
void PrintError(const std::string& text, const std::string& path = {}, const std::string& cause = {});

// A wrong command line: the reason and where to look, on stderr.
void PrintUsageError(const std::string& reason);

// Writes text to stdout; a write that fails raises the IoError of its
// errno, taken as it fails, naming "standard output".
void PrintOut(std::string_view text);

// Flushes stdout; output that could not be written raises the IoError of
// the failed write, naming "standard output".
void FlushStandardOutput();

// True when everything written to stderr reached it.
bool StandardErrorWritten();

}  // namespace mw::cli
