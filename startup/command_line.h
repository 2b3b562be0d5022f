// The program's arguments, split the way the update packages expect: blanks
// (every character up to and including the space) separate arguments, a
// double-quoted stretch may hold blanks, and the quotes are dropped.
//
// On Windows the process receives one command line and it is split here,
// not by the C runtime's rules (which treat \" as an escaped quote and would
// misread a package's "\1wad" or a folder ending in a backslash). On other
// systems the process that started us has already split the arguments, and
// they are taken exactly as given: splitting them again would change any
// argument that holds a blank or a quote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mw {

// Every argument of the command line, the program's own path first. An
// unclosed quote runs to the end; an argument that comes out empty (a lone
// pair of quotes) is no argument.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The windowed program's arguments after its own path. Read before the GUI
// application is created, which takes its own options out of argv. (The
// command-line tool splits by the system's usual rules: core/console.h.)
std::vector<std::string> WindowedProgramArguments(int argc, char** argv);

}  // namespace mw
