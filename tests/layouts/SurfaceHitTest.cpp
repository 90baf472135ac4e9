// Which windowless item is under the pointer, and whether a press there drags the window: the one
// hit test both front ends ask, over items listed front to back with their boxes in pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layouts/SurfaceHit.h"

namespace quorvane {
namespace {

// A banner under a label, a line and a frame shape over everything, a hidden label, as a working
// window holds them (front to back).
const std::vector<SurfaceItem> kItems = {
    {"Line1(0)", ControlKind::Line, true, 0, 50, 200, 51},
    {"Label1(1)", ControlKind::Label, true, 10, 10, 60, 30},
    {"Hidden", ControlKind::Label, false, 100, 10, 150, 30},
    {"Image1", ControlKind::Image, true, 0, 0, 200, 40},
    {"Shape1", ControlKind::Shape, true, 0, 0, 200, 100},
};

TEST(SurfaceHitTest, TheFrontmostVisibleLabelOrImageTakesThePointer) {
    const struct Case {
        const char* name;
        int x, y;
        const char* item;  // null: the window's surface
    } cases[] = {
        {"label over the banner", 10, 10, "Label1(1)"},
        {"the label's last pixel", 59, 29, "Label1(1)"},
        {"right of the label, on the banner", 60, 29, "Image1"},
        {"a hidden label shows the banner", 120, 20, "Image1"},
        {"the banner's last row", 199, 39, "Image1"},
        {"below the banner, inside the frame shape", 100, 40, nullptr},
        {"on the line", 100, 50, nullptr},
        {"outside everything", 300, 300, nullptr},
        {"left of everything", -1, 5, nullptr},
    };
    for (const Case& c : cases) {
        const SurfaceItem* item = itemUnderPointer(kItems, c.x, c.y);
        EXPECT_EQ(item ? item->name : std::string("(surface)"), c.item ? c.item : "(surface)") << c.name;
    }
}

TEST(SurfaceHitTest, APressDragsFromTheSurfaceAndTheNamedItemsOnly) {
    const std::vector<std::string> dragItems = {"Image1"};
    const struct Case {
        const char* name;
        int x, y;
        bool drags;
    } cases[] = {
        {"the banner, a drag item", 150, 20, true},
        {"a label over it keeps the pointer", 20, 20, false},
        {"the surface under the frame shape", 100, 70, true},
        {"the line", 100, 50, true},
    };
    for (const Case& c : cases) EXPECT_EQ(pressDragsWindow(dragItems, kItems, c.x, c.y), c.drags) << c.name;
    EXPECT_FALSE(pressDragsWindow({}, kItems, 150, 20)) << "no drag items: the banner keeps the pointer";
}

}  // namespace
}  // namespace quorvane
