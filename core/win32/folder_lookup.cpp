// Names below a folder on Windows, whose file systems find a name in any
// case themselves: the path keeps the text as written, which refusals name.
#include "core/folder_lookup.h"

#include "core/path_helpers.h"

namespace mw {

std::string FindBelowIgnoringCase(const std::string& folder, const std::string& relative)
{
    return folder + kNativeSeparator + relative;
}

}  // namespace mw
