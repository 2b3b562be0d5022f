// On POSIX a file name's bytes are the entry name's: nothing is converted.
#include "core/entry_text.h"

namespace mw {

std::optional<std::string> PathTextOfEntryName(std::string_view entryName)
{
    return std::string(entryName);
}

std::optional<std::string> EntryNameOfPathText(std::string_view pathText)
{
    return std::string(pathText);
}

}  // namespace mw
