// The access key derived from a caption.
#include <gtest/gtest.h>

#include "xpbutton/AccessKey.h"

namespace quorvane {
namespace {

TEST(AccessKeyTest, Table) {
    const std::pair<const char*, const char*> cases[] = {
        {"E&xit", "x"},
        {"&&Save", ""},
        {"A&&B&C", "c"},
        {"A&&B&&C&D", ""},
        {"A&&B", ""},
        {"Exit&", ""},
        {"&", ""},
        {"", ""},
        {"Exit", ""},
        {"&Open", "o"},
        {"A&&B&", ""},  // the second "&" is the last character
        {"&&&X", "x"},  // "&&", then "&X"
        {"Sy&stem Info...", "s"},
        {"&\xC3\x84rger", "\xC3\xA4"},  // non-ASCII letters are lowered too
        {"\xC3\x84&", ""},              // two characters, four bytes
    };
    for (auto [caption, key] : cases) EXPECT_EQ(accessKeyOf(caption), key) << caption;
}

}  // namespace
}  // namespace quorvane
