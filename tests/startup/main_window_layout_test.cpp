#include <string>

#include <gtest/gtest.h>

#include "startup/main_window_layout.h"

namespace mw {
namespace {

// The table both toolkits place the main window from holds the window's
// design: each control's caption and place at 96 dots per inch.
TEST(MainWindowLayout, HoldsEachControlsCaptionAndPlace)
{
    const struct {
        MainControl control;
        std::string caption;
        int left, top, width, height;
    } design[] = {
        {MainControl::SourceLabel, "Select file(s) to replace in wad(s)", 8, 4, 152, 13},
        {MainControl::SelectFolderButton, "Select a Folder", 176, 4, 121, 15},
        {MainControl::SourceField, "", 8, 21, 417, 20},
        {MainControl::ArchiveLabel, "Select one of the GP4's wad to patch or the wad to extract", 8, 52, 277, 13},
        {MainControl::Gp4PathButton, "Change GP4 Path", 320, 52, 105, 15},
        {MainControl::ArchiveField, "", 8, 69, 417, 20},
        {MainControl::CreateButton, "Create wad", 8, 96, 88, 22},
        {MainControl::UpdateButton, "Update wad", 104, 96, 88, 22},
        {MainControl::ExtractButton, "Extract wad", 200, 96, 88, 22},
        {MainControl::UpdateTracksButton, "Update track wads", 304, 96, 121, 22},
        {MainControl::StatusBar, "", 8, 126, 417, 16},
        {MainControl::CancelButton, "Cancel", 365, 126, 60, 16},
    };
    ASSERT_EQ(std::size(design), std::size(kMainControls));
    for (const auto& d : design) {
        const MainControlLook& look = MainControlLookOf(d.control);
        SCOPED_TRACE(d.caption);
        EXPECT_EQ(look.control, d.control);
        EXPECT_EQ(look.caption, d.caption);
        EXPECT_EQ(look.place.left, d.left);
        EXPECT_EQ(look.place.top, d.top);
        EXPECT_EQ(look.place.width, d.width);
        EXPECT_EQ(look.place.height, d.height);
    }
}

}  // namespace
}  // namespace mw
