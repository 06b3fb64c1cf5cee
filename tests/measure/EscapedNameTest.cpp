#include <gtest/gtest.h>

#include "measure/EscapedName.h"

namespace {

using measure::EscapedName;

TEST(EscapedName, ControlBytesAndSeparatorsAreEscaped) {
    EXPECT_EQ(EscapedName("a\tb\nc\\d"), "a\\tb\\nc\\\\d");
    EXPECT_EQ(EscapedName(std::string("\x01\x1f\x7f", 3)), "\\x01\\x1F\\x7F");
    EXPECT_EQ(EscapedName(std::string("a\0b", 3)), "a\\x00b");
}

TEST(EscapedName, ValidUtf8IsKeptAndEveryInvalidByteIsShown) {
    EXPECT_EQ(EscapedName("ﾌｫﾙﾀﾞ 日本 😀"), "ﾌｫﾙﾀﾞ 日本 😀");
    EXPECT_EQ(EscapedName("\xff\xfe"), "\\xFF\\xFE");
    EXPECT_EQ(EscapedName("\xe6\x97"), "\\xE6\\x97") << "cut-off sequence";
    EXPECT_EQ(EscapedName("\xc0\xaf"), "\\xC0\\xAF") << "overlong form";
    EXPECT_EQ(EscapedName("\xed\xa0\x80"), "\\xED\\xA0\\x80") << "surrogate";
    EXPECT_EQ(EscapedName("\xf4\x90\x80\x80"), "\\xF4\\x90\\x80\\x80") << "above U+10FFFF";
    EXPECT_EQ(EscapedName("caf\xe9.txt"), "caf\\xE9.txt");
}

} // namespace
