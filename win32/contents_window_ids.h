// What the contents window's files share among themselves: its controls'
// ids, and the list's columns with the subitem each shows.
#pragma once

#include "ops/entry_order.h"

namespace mw {

// A control's id is this and its place in Win32ContentsWindow::Control.
inline constexpr int kFirstContentsControlId = 100;

// The list's columns in their order on screen, and the subitem each shows:
// the first subitem cannot be right-aligned, so the names come first.
inline constexpr int kNameSubItem = 0;
inline constexpr int kIndexSubItem = 1;
inline constexpr int kSizeSubItem = 2;
inline constexpr int kSubItemCount = 3;

constexpr EntryColumn ColumnOfSubItem(int subItem)
{
    switch (subItem) {
    case kNameSubItem: return EntryColumn::Name;
    case kSizeSubItem: return EntryColumn::Size;
    default: return EntryColumn::Index;
    }
}

constexpr int SubItemOfColumn(EntryColumn column)
{
    switch (column) {
    case EntryColumn::Name: return kNameSubItem;
    case EntryColumn::Size: return kSizeSubItem;
    default: return kIndexSubItem;
    }
}

}  // namespace mw
