// The Mods window: each action reaches the ledger, a removal only after its
// question, and the list shows conflicts and who wins each entry.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>

#include "core/path_helpers.h"
#include "ops/mods/mod_listing.h"
#include "ops/mods/mod_store.h"
#include "ops/operations.h"
#include "qt/mods_window.h"
#include "tests/qt/ui_test_support.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

QString Cell(const QStandardItemModel& model, int row, int column)
{
    return model.index(row, column).data().toString();
}

// Two mods installed over a found archive, the second overwriting the
// first's a.tex, in a Mods window.
struct TwoMods {
    TwoMods()
    {
        temp.Write("gp4/GP4.exe", "");
        archive = temp.Write("gp4/cars.wad", test::ContiguousArchive({{"a.tex", "found a"}, {"b.tex", "found b"}}));
        fixture.state.UndoFolder = temp / "undo";
        fixture.state.ModsFolder = temp / "mods";
        Install("first", {{"a.tex", "first a"}, {"c.tex", "first c"}});
        Install("second", {{"a.tex", "second a"}});
        window.ShowMods(CanonicalArchivePath(temp / "gp4"));
    }

    void Install(const std::string& name, const std::vector<std::pair<std::string, std::string>>& files)
    {
        for (const auto& [path, bytes] : files)
            temp.Write(name + "/" + path, bytes);
        ASSERT_TRUE(UpdateWad(fixture.state, window, {temp / name, archive}));
    }

    // Each mod's name and state as the ledger holds them, in install order.
    std::vector<std::string> Ledger() const
    {
        std::vector<std::string> mods;
        const ModStore store(fixture.state.ModsFolder, CanonicalArchivePath(temp / "gp4"));
        for (const ModSummary& mod : SummariesOf(store.ReadHeld()))
            mods.push_back(mod.name + (mod.state == ModSummary::State::Disabled ? " off" : " on"));
        return mods;
    }

    test::TempDir temp;
    std::string archive;
    test::WindowFixture fixture;
    bool changed = false;
    ModsWindow window{fixture.state, fixture.dialogs, [this] { changed = true; }};
};

TEST(ModsWindowTest, ShowsTheConflictAndWhoWinsEachEntry)
{
    TwoMods two;
    ModsWindow& window = two.window;
    ASSERT_EQ(window.Mods().rowCount(), 2);
    EXPECT_EQ(Cell(window.Mods(), 0, 4), QStringLiteral("! 1 overwritten"));
    EXPECT_EQ(Cell(window.Mods(), 1, 4), QString());
    window.SelectMod(0);
    ASSERT_EQ(window.Entries().rowCount(), 2);
    EXPECT_EQ(Cell(window.Entries(), 0, 1), QStringLiteral("a.tex"));
    EXPECT_EQ(Cell(window.Entries(), 0, 3), QStringLiteral("mod second"));
    EXPECT_EQ(Cell(window.Entries(), 1, 3), QStringLiteral("this mod"));
}

TEST(ModsWindowTest, EachActionReachesTheLedger)
{
    enum class Act { UntickBox, DisableButton, RemoveAnsweredNo, RemoveAnsweredYes, DisableThenTickBox };
    const struct {
        const char* what;
        int row;
        Act act;
        std::vector<std::string> ledger;
        bool asked;
    } cases[] = {
        {"the box of the newest", 1, Act::UntickBox, {"first on", "second off"}, false},
        {"Disable of the oldest", 0, Act::DisableButton, {"first off", "second on"}, false},
        {"Remove answered no", 0, Act::RemoveAnsweredNo, {"first on", "second on"}, true},
        {"Remove answered yes", 0, Act::RemoveAnsweredYes, {"second on"}, true},
        {"the box ticked again", 0, Act::DisableThenTickBox, {"first on", "second on"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TwoMods fresh;
        ModsWindow& w = fresh.window;
        w.SelectMod(c.row);
        fresh.fixture.dialogs.questionAnswer = c.act == Act::RemoveAnsweredYes;
        QStandardItem* box = w.Mods().item(c.row, 0);
        switch (c.act) {
        case Act::UntickBox: box->setCheckState(Qt::Unchecked); break;
        case Act::DisableButton: QTest::mouseClick(w.DisableButton(), Qt::LeftButton); break;
        case Act::RemoveAnsweredNo:
        case Act::RemoveAnsweredYes: QTest::mouseClick(w.RemoveButton(), Qt::LeftButton); break;
        case Act::DisableThenTickBox:
            QTest::mouseClick(w.DisableButton(), Qt::LeftButton);
            EXPECT_FALSE(w.EnableButton()->isHidden() || !w.EnableButton()->isEnabled());
            w.Mods().item(c.row, 0)->setCheckState(Qt::Checked);
            break;
        }
        EXPECT_EQ(fresh.Ledger(), c.ledger);
        EXPECT_EQ(fresh.fixture.dialogs.questions.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_TRUE(fresh.fixture.dialogs.questions.front().contains(QStringLiteral("cars.wad: 1 entry it appended taken out")))
                << fresh.fixture.dialogs.questions.front().toStdString();
        }
        EXPECT_EQ(w.Mods().rowCount(), static_cast<int>(c.ledger.size()));
    }
}

}  // namespace
}  // namespace mw
