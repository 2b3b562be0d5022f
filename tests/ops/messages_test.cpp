#include "ops/messages.h"

#include <gtest/gtest.h>

namespace mw {
namespace {

// The texts stay as users know them; the field decides what the command
// line names beside them.
TEST(RefusalTest, GivesTheTextAndTheFieldOfEachKind)
{
    struct Case {
        Refusal refusal;
        const char* text;
        InputField field;
    };
    const Case cases[] = {
        {{RefusalKind::ChooseSourceFolder}, "Sorry but you have to choose a source folder first.", InputField::Source},
        {{RefusalKind::ChooseWadFile}, "Sorry but you have to choose a wad file first.", InputField::Archive},
        {{RefusalKind::ChooseSourceFiles}, "Sorry but you have to choose source file(s) first.", InputField::Source},
        {{RefusalKind::NotAWadFile}, "Sorry but you havn't selected a wad file.", InputField::Archive},
        {{RefusalKind::WrongWadPath}, "Sorry but you surely did a mistake in wad's pathname :)", InputField::Archive},
        {{RefusalKind::WrongFilePath}, "Sorry but you surely did a mistake in file's pathname :)", InputField::Source},
        {{RefusalKind::NoSourceFolder, "/x\ty"}, "Sorry but this source folder does not exist: /x?y", InputField::None},
        {{RefusalKind::TooFewUpdates, "a.wad", 1}, "Sorry but only 1 update of this wad can be undone: a.wad",
         InputField::None},
        {{RefusalKind::TooFewUpdates, "a.wad", 2}, "Sorry but only 2 updates of this wad can be undone: a.wad",
         InputField::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RefusalText(c.refusal), c.text);
        EXPECT_EQ(FieldOf(c.refusal.kind), c.field) << c.text;
    }
}

}  // namespace
}  // namespace mw
