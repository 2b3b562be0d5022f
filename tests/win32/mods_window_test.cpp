// The Win32 Mods window, opened as the main window opens it: each action
// reaches the ledger, a removal only after its question, and the lists show
// conflicts and who wins each entry.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "core/gp4_installation.h"
#include "core/path_helpers.h"
#include "core/settings_store.h"
#include "core/win32/wide_text.h"
#include "ops/mods/mod_listing.h"
#include "ops/mods/mod_store.h"
#include "ops/operations.h"
#include "tests/support/temp_dir.h"
#include "tests/win32/recording_dialogs.h"
#include "win32/main_window.h"

namespace mw {
namespace {

std::string CellText(HWND list, int row, int subItem)
{
    wchar_t text[512] = {};
    ListView_GetItemText(list, row, subItem, text, 512);
    return Utf8FromWide(text);
}

// The boxes ticked or unticked are handled once the list's notification is done.
void HandlePostedMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

// Two mods installed over a found archive, the second overwriting the
// first's a.tex, in the Mods window the main window opens for its archive.
class Win32ModsWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        temp.Write("gp4/GP4.exe", "");
        state.UndoFolder = temp / "undo";
        state.ModsFolder = temp / "mods";
        state.Installation = std::make_unique<FixedGp4Installation>(temp / "gp4");
        Install("first", {{"a.tex", "first a"}, {"c.tex", "first c"}});
        Install("second", {{"a.tex", "second a"}});
        boxes.shown.clear();
        main.SetArchiveText(archive);
        main.ShowMods();
        ASSERT_NE(main.ModsView(), nullptr);
        ASSERT_TRUE(IsWindowVisible(main.ModsView()->Handle()));
    }

    void Install(const std::string& name, const std::vector<std::pair<std::string, std::string>>& files)
    {
        for (const auto& [path, bytes] : files)
            temp.Write(name + "/" + path, bytes);
        ASSERT_TRUE(UpdateWad(state, main, {temp / name, archive}));
    }

    // Each mod's name and state as the ledger holds them, in install order.
    std::vector<std::string> Ledger() const
    {
        std::vector<std::string> mods;
        const ModStore store(state.ModsFolder, CanonicalArchivePath(temp / "gp4"));
        for (const ModSummary& mod : SummariesOf(store.ReadHeld()))
            mods.push_back(mod.name + (mod.state == ModSummary::State::Disabled ? " off" : " on"));
        return mods;
    }

    HWND Control(Win32ModsWindow::Control control) { return main.ModsView()->ControlHandle(control); }
    void Click(Win32ModsWindow::Control button) { SendMessageW(Control(button), BM_CLICK, 0, 0); }
    void SetBox(int row, bool ticked)
    {
        ListView_SetCheckState(Control(Win32ModsWindow::ModList), row, ticked);
        HandlePostedMessages();
    }

    test::TempDir temp;
    std::string archive = temp.Write("gp4/cars.wad", test::ContiguousArchive({{"a.tex", "found a"}, {"b.tex", "found b"}}));
    RunState state;
    test::RecordingDialogs boxes;
    Win32MainWindow main{state, [] { return std::make_unique<InMemorySettings>(); }, boxes};
};

TEST_F(Win32ModsWindowTest, ShowsTheConflictAndWhoWinsEachEntry)
{
    const HWND mods = Control(Win32ModsWindow::ModList);
    ASSERT_EQ(ListView_GetItemCount(mods), 2);
    EXPECT_EQ(CellText(mods, 0, 0), "first");
    EXPECT_EQ(CellText(mods, 0, 4), "! 1 overwritten");
    EXPECT_EQ(CellText(mods, 1, 4), "");
    EXPECT_TRUE(ListView_GetCheckState(mods, 0));
    main.ModsView()->SelectMod(0);
    const HWND entries = Control(Win32ModsWindow::EntryList);
    ASSERT_EQ(ListView_GetItemCount(entries), 2);
    EXPECT_EQ(CellText(entries, 0, 0), "cars.wad");
    EXPECT_EQ(CellText(entries, 0, 1), "a.tex");
    EXPECT_EQ(CellText(entries, 0, 3), "mod second");
    EXPECT_EQ(CellText(entries, 1, 3), "this mod");
    EXPECT_EQ(WindowText(Control(Win32ModsWindow::Summary)),
              "2 mods installed in " + CanonicalArchivePath(temp / "gp4"));
}

// A mod folded in by the store's cap has no box, its box cannot be given
// one back, and no button changes it.
class Win32PermanentModTest : public Win32ModsWindowTest {
protected:
    Win32PermanentModTest()
    {
        temp.Write("gp4/cars.wad", test::ContiguousArchive({{"a.tex", std::string(4000, 'o')}, {"b.tex", "found b"}}));
        state.UndoCap = 3000;
    }
};

TEST_F(Win32PermanentModTest, HasNoBoxAndNoButtonChangesIt)
{
    const HWND mods = Control(Win32ModsWindow::ModList);
    ASSERT_EQ(ListView_GetItemCount(mods), 2);
    const auto box = [mods](int row) { return ListView_GetItemState(mods, row, LVIS_STATEIMAGEMASK) >> 12; };
    EXPECT_EQ(box(0), 0u);
    EXPECT_EQ(box(1), 2u);
    main.ModsView()->SelectMod(0);
    for (const auto button : {Win32ModsWindow::EnableButton, Win32ModsWindow::DisableButton, Win32ModsWindow::RemoveButton})
        EXPECT_FALSE(IsWindowEnabled(Control(button))) << button;
    ListView_SetItemState(mods, 0, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    HandlePostedMessages();
    EXPECT_EQ(box(0), 0u);
    EXPECT_EQ(Ledger(), (std::vector<std::string>{"first on", "second on"}));
}

enum class Act { UntickBox, DisableButton, RemoveAnsweredNo, RemoveAnsweredYes, DisableThenTickBox };

struct ActionCase {
    const char* what;
    int row;
    Act act;
    std::vector<std::string> ledger;
    bool asked;
};

const ActionCase kActions[] = {
    {"UntickTheNewest", 1, Act::UntickBox, {"first on", "second off"}, false},
    {"DisableTheOldest", 0, Act::DisableButton, {"first off", "second on"}, false},
    {"RemoveAnsweredNo", 0, Act::RemoveAnsweredNo, {"first on", "second on"}, true},
    {"RemoveAnsweredYes", 0, Act::RemoveAnsweredYes, {"second on"}, true},
    {"DisableThenTickAgain", 0, Act::DisableThenTickBox, {"first on", "second on"}, false},
};

// Its name in the test's name and in CTest's list.
void PrintTo(const ActionCase& c, std::ostream* out)
{
    *out << c.what;
}

class Win32ModsActionTest : public Win32ModsWindowTest, public testing::WithParamInterface<ActionCase> {};

TEST_P(Win32ModsActionTest, ReachesTheLedger)
{
    const ActionCase& c = GetParam();
    boxes.answer = c.act == Act::RemoveAnsweredYes;
    main.ModsView()->SelectMod(c.row);
    switch (c.act) {
    case Act::UntickBox: SetBox(c.row, false); break;
    case Act::DisableButton: Click(Win32ModsWindow::DisableButton); break;
    case Act::RemoveAnsweredNo:
    case Act::RemoveAnsweredYes: Click(Win32ModsWindow::RemoveButton); break;
    case Act::DisableThenTickBox:
        Click(Win32ModsWindow::DisableButton);
        EXPECT_TRUE(IsWindowEnabled(Control(Win32ModsWindow::EnableButton)));
        EXPECT_FALSE(ListView_GetCheckState(Control(Win32ModsWindow::ModList), c.row));
        SetBox(c.row, true);
        break;
    }
    EXPECT_EQ(Ledger(), c.ledger);
    ASSERT_EQ(boxes.shown.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_NE(boxes.shown.front().find("cars.wad: 1 entry it appended taken out"), std::string::npos)
            << boxes.shown.front();
    }
    // The list follows the ledger: a row per mod, its box as the mod stands.
    const HWND mods = Control(Win32ModsWindow::ModList);
    ASSERT_EQ(ListView_GetItemCount(mods), static_cast<int>(c.ledger.size()));
    for (int row = 0; row < ListView_GetItemCount(mods); ++row)
        EXPECT_EQ(ListView_GetCheckState(mods, row) != 0, c.ledger[static_cast<std::size_t>(row)].ends_with(" on"));
}

INSTANTIATE_TEST_SUITE_P(Actions, Win32ModsActionTest, testing::ValuesIn(kActions),
                         [](const testing::TestParamInfo<ActionCase>& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace mw
