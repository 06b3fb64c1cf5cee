#include <gtest/gtest.h>

#include "measure/EscapedName.h"

namespace {

using measure::EscapedName;

TEST(EscapedName, ControlBytesAndSeparatorsAreEscaped) {
    EXPECT_EQ(EscapedName("a\tb\nc\\d"), "a\\tb\\nc\\\\d");
    EXPECT_EQ(EscapedName(std::string("\x01\x1f\x7f", 3)), "\\x01\\x1F\\x7F");
    EXPECT_EQ(EscapedName(std::string("a\0b", 3)), "a\\x00b");
    EXPECT_EQ(EscapedName("a\u0085b\u009F"), "a\\xC2\\x85b\\xC2\\x9F") << "C1 controls";
    EXPECT_EQ(EscapedName("a\u2028b\u2029"), "a\\xE2\\x80\\xA8b\\xE2\\x80\\xA9") << "separators";
    EXPECT_EQ(
        EscapedName("\u061C\u200E\u200F\u202A\u2066\u2069"),
        "\\xD8\\x9C\\xE2\\x80\\x8E\\xE2\\x80\\x8F\\xE2\\x80\\xAA\\xE2\\x81\\xA6\\xE2\\x81\\xA9");
    EXPECT_EQ(EscapedName("x\u202Egpj.exe"), "x\\xE2\\x80\\xAEgpj.exe") << "right-to-left override";
}

TEST(EscapedName, ValidUtf8IsKeptAndEveryInvalidByteIsShown) {
    EXPECT_EQ(EscapedName("ﾌｫﾙﾀﾞ 日本 😀"), "ﾌｫﾙﾀﾞ 日本 😀");
    EXPECT_EQ(EscapedName("\u00A0\u2027\u202F\u2065\u206A"), "\u00A0\u2027\u202F\u2065\u206A");
    EXPECT_EQ(EscapedName("\xff\xfe"), "\\xFF\\xFE");
    EXPECT_EQ(EscapedName("\xe6\x97"), "\\xE6\\x97") << "cut-off sequence";
    EXPECT_EQ(EscapedName("\xc0\xaf"), "\\xC0\\xAF") << "overlong form";
    EXPECT_EQ(EscapedName("\xed\xa0\x80"), "\\xED\\xA0\\x80") << "surrogate";
    EXPECT_EQ(EscapedName("\xf4\x90\x80\x80"), "\\xF4\\x90\\x80\\x80") << "above U+10FFFF";
    EXPECT_EQ(EscapedName("caf\xe9.txt"), "caf\\xE9.txt");
}

} // namespace
