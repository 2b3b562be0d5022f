// The process's command line and standard streams as the platform gives
// them: arguments as UTF-8 text, whether a stream is a terminal and how
// wide it is, and whether what was written reached it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mw {

// The program's arguments after its own name, as UTF-8 text on Windows
// (from the wide command line), as the bytes given on POSIX.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The process's command line as one text, as Windows hands it over (UTF-8,
// the program's own path first), for a program that splits it by rules of
// its own; nothing where the system hands over the arguments already split
// (POSIX).
std::optional<std::string> WholeCommandLine();

// Standard output and error written byte for byte, as on POSIX (no CRLF on
// Windows), and UTF-8 text shown as such by a Windows console.
void PrepareStandardStreams();

// Whether standard error is a terminal (a console on Windows).
bool StandardErrorIsTerminal();
// The columns a line on standard error may take without wrapping.
std::size_t StandardErrorColumns();

// Writes text to stdout; a write that fails raises the IoError of the
// system's code, taken as it fails, naming "standard output".
void WriteStandardOutput(std::string_view text);
// Flushes stdout; output that could not be written raises the IoError of
// the failed write, naming "standard output".
void FlushStandardOutput();
// True when everything written to stderr reached it.
bool StandardErrorWritten();

}  // namespace mw
