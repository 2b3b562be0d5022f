#include "core/entry_text.h"

namespace mw {

std::string ShownEntryName(std::string_view entryName)
{
    return PathTextOfEntryName(entryName).value_or(std::string(entryName));
}

}  // namespace mw
