// Where a window the main window opens (contents, find, Mods) stands the
// first time: beside the main window, right of it where the screen has
// room, else left of it, else centred on it; always inside the screen's
// work area. Both toolkits place their windows by it.
#pragma once

namespace mw {

struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The window's outer rectangle, of its size, beside anchor on workArea.
ScreenRect PlaceBeside(const ScreenRect& anchor, int width, int height, const ScreenRect& workArea);

}  // namespace mw
