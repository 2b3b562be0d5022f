// The store names a new record after every record of its archive, so that
// undo takes it first; a record named for the last time a name can carry
// leaves no name after it, and is refused by name.
#include <gtest/gtest.h>

#include "ops/undo_store.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

struct NewestCase {
    const char* newest;  // the name of the archive's newest record
    const char* named;   // the new record's name; empty: refused, naming the newest
};

TEST(UndoStoreTest, ANewRecordIsNamedAfterTheNewestOrRefusedWhenNoNameIsLeft)
{
    const NewestCase cases[] = {
        {"09223372036854775806-0000000000000000.undo", "09223372036854775807-0000000000000000.undo"},
        {"09223372036854775807-0000000000000000.undo", ""},
    };
    for (const NewestCase& c : cases) {
        SCOPED_TRACE(c.newest);
        const test::TempDir dir;
        const UndoStore store(dir.path(), kDefaultUndoCap);
        const std::string newest = dir / (store.NewRecord("/gp4/cars.wad", 1, 0).folder + "/" + c.newest);
        test::WriteBytes(newest, "");
        const std::string outcome = test::ErrorOf([&] { EXPECT_EQ(store.NewRecord("/gp4/cars.wad", 1, 0).name, c.named); });
        EXPECT_EQ(outcome, *c.named ? "no error" : "Sorry but this undo record is damaged: " + newest);
    }
}

}  // namespace
}  // namespace mw
