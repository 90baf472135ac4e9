// DrawShellIcon's steps on a picture box: size, clearing, placement, the refresh, and the box left
// alone when the lookup finds nothing.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/ShellIcons.h"
#include "protect/ShellIcon.h"
#include "support/FakeViews.h"

namespace quorvane {
namespace {

// Knows every path but "missing"; records the size asked for.
class FixedIcons final : public ShellIcons {
public:
    std::optional<IconImage> iconFor(const std::string& path, int size) override {
        lastSize = size;
        if (path == "missing") return std::nullopt;
        return test::FakeShellIcons::pictureOf(path, size);
    }
    int lastSize = 0;
};

using Steps = std::vector<std::string>;

TEST(DrawShellIcon, Table) {
    struct Case {
        const char* name;
        const char* path;
        std::int16_t size;
        int askedSize;
        Steps steps;
    };
    const std::vector<Case> cases = {
        {"32: the large icons, 480 twips",
         "full",
         32,
         32,
         {"height 480", "width 480", "clear", "draw at 0,0", "refresh"}},
        {"16: the small icons, 240 twips",
         "full",
         16,
         16,
         {"height 240", "width 240", "clear", "draw at 0,0", "refresh"}},
        {"any other size: the large icons",
         "full",
         48,
         32,
         {"height 720", "width 720", "clear", "draw at 0,0", "refresh"}},
        {"the largest size that fits",
         "full",
         2184,
         32,
         {"height 32760", "width 32760", "clear", "draw at 0,0", "refresh"}},
        {"unknown path: untouched", "missing", 32, 32, {}},
        {"unknown path: no overflow either", "missing", 2185, 32, {}},
    };
    for (const Case& c : cases) {
        FixedIcons icons;
        test::FakePictureBox box;
        DrawShellIcon(icons, c.path, box, c.size);
        EXPECT_EQ(icons.lastSize, c.askedSize) << c.name;
        EXPECT_EQ(box.steps, c.steps) << c.name;
        if (!c.steps.empty()) {
            EXPECT_EQ(box.picture, test::FakeShellIcons::pictureOf(c.path, c.askedSize)) << c.name;
        }
    }
}

TEST(DrawShellIcon, SizeBeyondSixteenBitsOverflowsBeforeTheBoxChanges) {
    for (const std::int16_t size : {std::int16_t(2185), std::int16_t(-2185), std::int16_t(32767)}) {
        FixedIcons icons;
        test::FakePictureBox box;
        try {
            DrawShellIcon(icons, "full", box, size);
            ADD_FAILURE() << "no overflow for " << size;
        } catch (const PlatformError& e) {
            EXPECT_EQ(e.number(), errc::Overflow) << size;
        }
        EXPECT_TRUE(box.steps.empty()) << size;
    }
}

}  // namespace
}  // namespace quorvane
