#pragma once

#include <span>
#include <string>

#include "layouts/FormDescription.h"

namespace quorvane {

// A windowless item as its window shows it now: its name as the layout calls it ("Label1(2)"), its
// kind, whether it shows, and its box in pixels of the window's inner area, right and bottom
// exclusive. Each front end lists them from its own geometry (a label sized to its text, say).
struct SurfaceItem {
    std::string name;
    ControlKind kind = ControlKind::Label;
    bool visible = true;
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The item under the pointer at (x, y), of `items` front to back: the frontmost visible label or
// image whose box holds the point. Null where the window's own surface is: lines and shapes never
// take the pointer.
const SurfaceItem* itemUnderPointer(std::span<const SurfaceItem> items, int x, int y);

// Whether a press at (x, y) may drag the window: it went down on the surface itself or on one of
// the form's `dragItems` (FormSettings::dragItems); the other labels and images keep the pointer.
bool pressDragsWindow(std::span<const std::string> dragItems, std::span<const SurfaceItem> items, int x, int y);

}  // namespace quorvane
