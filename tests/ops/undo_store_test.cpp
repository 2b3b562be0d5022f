// The store names a new record after every record of its archive, so that
// undo takes it first; a record named for the last time a name can carry
// leaves no name after it, and is refused by name. The store's cap, exactly:
// the records may take the whole cap, and the oldest go only while they
// take more.
#include "ops/undo_store.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

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

// Writes records of the given sizes, oldest first, each of its own archive
// so that none keeps another, keeps the newest, and returns the numbers of
// the records left, oldest first.
std::vector<std::string> RecordsLeftAfterTrim(const std::string& folder, const std::vector<int>& sizes,
                                              std::int64_t cap, std::int64_t otherBytes)
{
    const UndoStore store(folder, cap);
    std::vector<std::string> archives;
    std::string newest;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        archives.push_back("/wads/" + std::to_string(i) + ".wad");
        const UndoRecordFile record = store.NewRecord(archives.back(), 1000 + static_cast<std::int64_t>(i), 0);
        store.Write(record, [&](File& out) { out.Write(std::string(sizes[i], 'x').data(), sizes[i]); });
        newest = record.path;
    }
    store.Trim(newest, 0, otherBytes);
    std::vector<std::string> left;
    for (std::size_t i = 0; i < archives.size(); ++i)
        if (!store.RecordsOf(archives[i]).empty())
            left.push_back(std::to_string(i));
    return left;
}

TEST(UndoStoreTest, TheOldestRecordsGoOnlyWhileTheStoreTakesMoreThanItsCap)
{
    const struct {
        std::int64_t cap;
        std::int64_t otherBytes;
        std::vector<std::string> left;
    } cases[] = {
        {600, 0, {"0", "1", "2"}},  // 100 + 200 + 300: exactly the cap
        {599, 0, {"1", "2"}},       // one byte over: the oldest goes, 500 left
        {500, 0, {"1", "2"}},       // 500 left is exactly the cap: the next stays
        {499, 0, {"2"}},
        {650, 50, {"0", "1", "2"}},  // the mods' kept bytes share the cap
        {649, 50, {"1", "2"}},
        {10, 0, {"2"}},  // the newest stays whatever it takes
    };
    for (const auto& c : cases) {
        test::TempDir data;
        EXPECT_EQ(RecordsLeftAfterTrim(data.path(), {100, 200, 300}, c.cap, c.otherBytes), c.left)
            << "cap " << c.cap << ", other bytes " << c.otherBytes;
    }
}

}  // namespace
}  // namespace mw
