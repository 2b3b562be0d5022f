#include "ops/archive_limits.h"

#include <limits>

#include "core/wad.h"
#include "ops/messages.h"

namespace mw {

void CheckEntryNameFits(const std::string& name)
{
    if (name.size() > kNameFieldSize)
        throw UserRefusal(RefusalKind::NameTooLong, name);
}

void CheckArchiveEnd(std::int64_t end, const std::string& path)
{
    if (end > std::numeric_limits<std::int32_t>::max())
        throw UserRefusal(RefusalKind::WadTooLarge, path);
}

}  // namespace mw
