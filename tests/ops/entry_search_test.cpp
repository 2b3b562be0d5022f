// The one rule by which find, "Find in GP4" and a contents view's filter
// look for entries by a typed text.
#include "ops/entry_selection.h"

#include <gtest/gtest.h>

namespace mw {
namespace {

TEST(EntrySearchTest, FindsAPartTheLastNameOrTheWholeName)
{
    constexpr const char* kHelmet = "cars\\ferrari\\helmet_1.tex";
    const struct {
        const char* text;
        const char* name;
        bool found;
    } cases[] = {
        {"helmet_1.tex", kHelmet, true},          // a plain name, at any depth
        {"helmet", kHelmet, true},                // a part of it
        {"ferrari", kHelmet, true},               // a part of a folder's name
        {"FERRARI/HELM", kHelmet, true},          // any case, "/" as "\"
        {"visor", kHelmet, false},
        {"helmet*", kHelmet, true},               // a pattern: the last name
        {"h?lmet_1.TEX", kHelmet, true},
        {"helmet*", "cars\\helmet\\visor.tex", false},  // not a folder's name
        {"*.tex", "cars\\helmet_1.tex.bak", false},     // the whole last name
        {"cars\\*.tex", kHelmet, true},                  // with a separator: the whole name
        {"ferrari/*.tex", kHelmet, false},
        {"", kHelmet, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EntrySearch(c.text).Finds(c.name), c.found) << c.text << " in " << c.name;
}

}  // namespace
}  // namespace mw
