// What assistive technology reads of a button's caption: its name and its shortcut.
#include <gtest/gtest.h>

#include "xpbutton/AccessKey.h"
#include "xpbutton/AccessibleText.h"

namespace quorvane {
namespace {

TEST(AccessibleTextTest, NameAndShortcutOfCaptions) {
    struct Case {
        const char* caption;
        const char* name;
        const char* shortcut;
    };
    const Case cases[] = {
        {"Lock Folder", "Lock Folder", ""},
        {"About,..", "About,..", ""},
        {"...", "...", ""},
        {"&OK", "OK", "Alt+O"},
        {"&System Info...", "System Info...", "Alt+S"},
        {"E&xit", "Exit", "Alt+X"},
        {"&&Save", "&Save", ""},
        {"A&&B&C", "A&BC", "Alt+C"},
        {"A&&B&&C&D", "A&B&CD", ""},
        {"Exit&", "Exit", ""},
        {"&", "", ""},
        {"", "", ""},
        {"&&&X", "&X", "Alt+X"},
        {"Save &1", "Save 1", "Alt+1"},
        {"&\xC3\x84rger", "\xC3\x84rger", "Alt+\xC3\x84"},          // Latin-1
        {"&\xD0\xB4\xD0\xB0", "\xD0\xB4\xD0\xB0", "Alt+\xD0\x94"},  // Cyrillic
    };
    for (const Case& c : cases) {
        EXPECT_EQ(captionName(c.caption), c.name) << c.caption;
        EXPECT_EQ(accessKeyShortcut(accessKeyOf(c.caption)), c.shortcut) << c.caption;
    }
}

}  // namespace
}  // namespace quorvane
