// The format's edges, exactly: offsets are signed 32-bit, so an archive may
// end at 2147483647 (2^31 - 1) and not one byte later; a name fills at most
// its 128-byte field.
#include "ops/archive_limits.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "ops/messages.h"

namespace mw {
namespace {

// What a check refused, or "accepted".
template <typename Check>
std::string Outcome(Check check)
{
    try {
        check();
        return "accepted";
    } catch (const UserRefusal& refusal) {
        return refusal.what();
    }
}

TEST(ArchiveLimitsTest, AnArchiveEndsAtTheLastByteASigned32BitOffsetReaches)
{
    const struct {
        std::int64_t end;
        const char* outcome;
    } cases[] = {
        {2147483646, "accepted"},
        {2147483647, "accepted"},
        {2147483648, "Sorry but this wad would be too large: cars.wad"},
        {4294967296, "Sorry but this wad would be too large: cars.wad"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Outcome([&] { CheckArchiveEnd(c.end, "cars.wad"); }), c.outcome) << c.end;
}

TEST(ArchiveLimitsTest, ANameFillsItsFieldAndNotOneByteMore)
{
    const std::string longest(128, 'a');
    EXPECT_EQ(Outcome([&] { CheckEntryNameFits(longest); }), "accepted");
    EXPECT_EQ(Outcome([&] { CheckEntryNameFits(longest + "b"); }),
              "Sorry but this name is too long for a wad entry: " + longest + "b");
}

}  // namespace
}  // namespace mw
