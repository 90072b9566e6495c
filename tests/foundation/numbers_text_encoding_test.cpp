// Windows-1252 <-> UTF-8 (src/foundation/text_encoding.h).

#include <gtest/gtest.h>

#include <string>

#include "foundation/text_encoding.h"

namespace tally {
namespace {

TEST(NumbersTextEncoding, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    bool lossless = false;
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all), '?', &lossless), all);
    EXPECT_TRUE(lossless);
}

TEST(NumbersTextEncoding, Table) {
    struct Case {
        unsigned char byte;
        char32_t cp;
    };
    for (const Case& c : {Case{0x41, U'A'}, {0x80, U'\u20AC'}, {0x81, 0x81}, {0x8A, U'\u0160'}, {0x92, U'\u2019'},
                          {0x96, U'\u2013'}, {0x99, U'\u2122'}, {0x9F, U'\u0178'}, {0xA0, 0xA0}, {0xD7, U'\u00D7'},
                          {0xF7, U'\u00F7'}, {0xFF, U'\u00FF'}}) {
        EXPECT_EQ(Windows1252ToUnicode(c.byte), c.cp) << int(c.byte);
        char back = 0;
        EXPECT_TRUE(UnicodeToWindows1252(c.cp, back));
        EXPECT_EQ(static_cast<unsigned char>(back), c.byte);
    }
    char byte = 0;
    EXPECT_FALSE(UnicodeToWindows1252(U'\u4E00', byte));
    EXPECT_FALSE(UnicodeToWindows1252(U'\u0100', byte));
}

TEST(NumbersTextEncoding, Utf8) {
    EXPECT_EQ(Windows1252ToUtf8("1 \xF7 2 \x80"), "1 \xC3\xB7 2 \xE2\x82\xAC");
    EXPECT_EQ(Utf8ToWindows1252("\xC3\xB7\xC2\xA0\xE2\x80\x94"), "\xF7\xA0\x97");
    bool lossless = true;
    EXPECT_EQ(Utf8ToWindows1252("a\xE4\xB8\x80" "b", '?', &lossless), "a?b");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(Utf8ToWindows1252("a\xFF" "b", '?', &lossless), "a?b");  // malformed
    EXPECT_FALSE(lossless);
    EXPECT_EQ(Utf8ToWindows1252("\xC0\xAF", '?', &lossless), "?");  // overlong: one replacement
    EXPECT_EQ(Utf8ToWindows1252("\xED\xA0\x80", '?', &lossless), "?");  // surrogate
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82", '?', &lossless), "?");  // truncated
}

// Good UTF-8 passes unchanged, letters beyond Windows-1252 included; each malformed sequence
// becomes one U+FFFD.
TEST(NumbersTextEncoding, ValidUtf8) {
    EXPECT_EQ(ValidUtf8("r\xC3\xA9sum\xC3\xA9 \xD0\x96 \xF0\x9F\x98\x80"), "r\xC3\xA9sum\xC3\xA9 \xD0\x96 \xF0\x9F\x98\x80");
    EXPECT_EQ(ValidUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(ValidUtf8("\xC0\xAF!"), "\xEF\xBF\xBD!");          // overlong
    EXPECT_EQ(ValidUtf8("\xE2\x82" "x"), "\xEF\xBF\xBD" "x");     // truncated before "x"
    EXPECT_EQ(ValidUtf8("caf\xE9.htm"), "caf\xEF\xBF\xBD.htm");  // a Windows-1252 name
}

}  // namespace
}  // namespace tally
