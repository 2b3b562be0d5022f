// Archive entry names are bytes in the system's ANSI code page, as the game
// reads them; paths are the platform's text: UTF-8 inside the program on
// Windows, bytes as they are on POSIX, where both are the same bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mw {

// An entry name as path text; nothing when its bytes are no text in the
// code page.
std::optional<std::string> PathTextOfEntryName(std::string_view entryName);
// Path text as an entry name; nothing when a character has no exact
// counterpart in the code page.
std::optional<std::string> EntryNameOfPathText(std::string_view pathText);

// An entry name as a message shows it: as path text where it is one, else
// its bytes.
std::string ShownEntryName(std::string_view entryName);

}  // namespace mw
