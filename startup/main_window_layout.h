// The main window's layout, which both toolkits place their controls from
// and both layout tests read: the window's outer size, each control's
// caption and place in client coordinates at 96 dots per inch, the
// pictures and tool tips of its buttons, and its file fields' dialogs.
#pragma once

#include <optional>

namespace mw {

// The button pictures, in the order of their files (data/pictures).
enum class ButtonPicture {
    CreateWad,     // an empty open cardboard box
    UpdateWad,     // the open box with a blue and orange item inside
    ExtractWad,    // that item alone
    UpdateTracks,  // the outline of a race track
    OpenFolder,    // a small open folder, on the file fields' browse buttons
    Undo,          // an arrow turning back, on "Undo last update"
    Contents,      // a page listing entries, on the button that shows what a wad holds
    Mods,          // three stacked sheets, on the button that opens the Mods window
};

struct WindowSize {
    int width;
    int height;
};

struct ControlPlace {
    int left;
    int top;
    int width;
    int height;
};

// The outer size, with a sizeable border and a caption bar; the window
// can grow but not shrink below the minimum.
inline constexpr WindowSize kMainOuterSize = {441, 181};
inline constexpr WindowSize kMainMinimumOuterSize = {441, 169};

enum class MainControl {
    SourceLabel, SelectFolderButton, SourceField, ArchiveLabel, Gp4PathButton, ArchiveField, CreateButton,
    UpdateButton, ExtractButton, UpdateTracksButton, StatusBar,
    // Over the status bar's right end while an operation runs.
    CancelButton,
};

struct MainControlLook {
    MainControl control;
    const char* caption;  // a label's or a button's text; "" for none
    ControlPlace place;   // a label's width is its least: it widens to show its text
    std::optional<ButtonPicture> picture = std::nullopt;
    const char* toolTip = nullptr;
};

// In the order of MainControl.
inline constexpr MainControlLook kMainControls[] = {
    {MainControl::SourceLabel, "Select file(s) to replace in wad(s)", {8, 4, 152, 13}},
    {MainControl::SelectFolderButton, "Select a Folder", {176, 4, 121, 15}},
    {MainControl::SourceField, "", {8, 21, 417, 20}},
    {MainControl::ArchiveLabel, "Select one of the GP4's wad to patch or the wad to extract", {8, 52, 277, 13}},
    {MainControl::Gp4PathButton, "Change GP4 Path", {320, 52, 105, 15}},
    {MainControl::ArchiveField, "", {8, 69, 417, 20}},
    {MainControl::CreateButton, "Create wad", {8, 96, 88, 22}, ButtonPicture::CreateWad},
    {MainControl::UpdateButton, "Update wad", {104, 96, 88, 22}, ButtonPicture::UpdateWad},
    {MainControl::ExtractButton, "Extract wad", {200, 96, 88, 22}, ButtonPicture::ExtractWad},
    {MainControl::UpdateTracksButton, "Update track wads", {304, 96, 121, 22}, ButtonPicture::UpdateTracks},
    {MainControl::StatusBar, "", {8, 126, 417, 16}},
    {MainControl::CancelButton, "Cancel", {365, 126, 60, 16}, std::nullopt, "Stop the operation (Esc)"},
};

constexpr const MainControlLook& MainControlLookOf(MainControl control)
{
    return kMainControls[static_cast<int>(control)];
}

// A file field's browse button (its picture ButtonPicture::OpenFolder)
// stands inside its right end; the buttons below stand left of it, in
// this order leftwards.
struct FieldButtonLook {
    ButtonPicture picture;
    const char* toolTip;
};
inline constexpr FieldButtonLook kArchiveFieldButtons[] = {
    {ButtonPicture::Contents, "Show what the wad holds (Ctrl+O, or a double click)"},
    // The window has no menu bar and its buttons fill their row: undo sits
    // with the other buttons that act on the field's wad.
    {ButtonPicture::Undo, "Undo last update"},
    {ButtonPicture::Mods, "Mods installed in this GP4: disable, enable, remove (Ctrl+M)"},
};

// The open dialog of a file field's browse button: its title, its filter
// ("description|patterns|...", patterns apart by ";") and the extension a
// name typed without one gets ("" for none).
struct FileFieldDialog {
    const char* title;
    const char* filter;
    const char* defaultExtension;
};
inline constexpr FileFieldDialog kSourceFieldDialog = {
    "Select a file", "Main GP4 files|*.gp4;*.col;*.bin;*.cfp;*.dat|*.*|*.*", ""};
inline constexpr FileFieldDialog kArchiveFieldDialog = {"Select a wad", "*.wad|*.wad", "wad"};
// The title of the save dialog an operation asks for its output in.
inline constexpr const char* kSaveDialogTitle = "Please choose a folder";

}  // namespace mw
