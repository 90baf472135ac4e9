// Paths between the core (bytes, UTF-8 where they are text) and Qt's strings: a name's bytes that
// are no UTF-8 go through a QString and come back unchanged, and show readably in messages.
#include <gtest/gtest.h>

#include <QUrl>

#include "qt/PathText.h"
#include "qt/Dialogs.h"

using namespace std::string_literals;

namespace quorvane {
namespace {

TEST(PathText, EveryByteComesBackAndOddBytesShowReadably) {
    struct Case {
        const char* name;
        std::string bytes;
        QString readable;
    };
    const Case cases[] = {
        {"ASCII", "/home/ann/Secret", QStringLiteral("/home/ann/Secret")},
        {"UTF-8", "/caf\xc3\xa9 \xe6\x97\xa5 \xf0\x9f\x98\x80", QStringLiteral("/caf\u00e9 \u65e5 \U0001F600")},
        {"a Latin-1 name", "/home/ann/caf\xe9", QStringLiteral("/home/ann/caf\\xE9")},
        {"a stray continuation byte", "/a\x80z", QStringLiteral("/a\\x80z")},
        {"an overlong slash", "/a\xc0\xafz", QStringLiteral("/a\\xC0\\xAFz")},
        {"an encoded surrogate", "/\xed\xa0\x80", QStringLiteral("/\\xED\\xA0\\x80")},
        {"a sequence cut off", "/\xe6\x97", QStringLiteral("/\\xE6\\x97")},
        {"beyond U+10FFFF", "/\xf4\x90\x80\x80", QStringLiteral("/\\xF4\\x90\\x80\\x80")},
        {"odd bytes around UTF-8", "\xff\xc3\xa9\xfe", QStringLiteral("\\xFF\u00e9\\xFE")},
        {"empty", "", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toCore(fromCore(c.bytes)), c.bytes);
        EXPECT_EQ(readableText(c.bytes), c.readable);
    }
    // Valid text is Qt's own: a surrogate pair stays a character, and one standing alone outside
    // the escaped bytes goes as Qt writes it.
    EXPECT_EQ(fromCore("\xf0\x9f\x98\x80"), QStringLiteral("\U0001F600"));
    EXPECT_EQ(toCore(QStringLiteral("\U0001F4C1")), "\xf0\x9f\x93\x81");
    EXPECT_EQ(toCore(QString(QChar(0xD83D)) + QChar(0xDC80)), "\xf0\x9f\x92\x80");  // a pair, not a byte
}

TEST(PathText, AFileUrlGivesTheNamesOwnBytes) {
    struct Case {
        const char* url;
        std::string path;
    };
    const Case cases[] = {
        {"file:///home/ann/caf%E9", "/home/ann/caf\xe9"},
        {"file:///home/ann/caf%C3%A9", "/home/ann/caf\xc3\xa9"},
        {"file:///home/ann/a%20b", "/home/ann/a b"},
        {"file:///home/ann/100%25", "/home/ann/100%"},
    };
    for (const Case& c : cases) EXPECT_EQ(toCore(localPathOf(QUrl::fromEncoded(c.url))), c.path) << c.url;
}

}  // namespace
}  // namespace quorvane
