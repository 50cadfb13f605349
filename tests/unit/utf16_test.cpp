#include "win/utf16.h"

#include <gtest/gtest.h>

namespace dhsu {
namespace {

TEST(Utf16, CzechJapaneseAndAstralTextRoundTrips) {
    const std::string text = "Příliš žluťoučký kůň スクリーンショット 𠮷 📷";
    EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(text)), text);
    EXPECT_EQ(Utf16FromUtf8("a📷"), (std::u16string{u'a', 0xD83D, 0xDCF7}));
    EXPECT_EQ(Utf8FromUtf16(std::u16string{0xD842, 0xDFB7}), "𠮷");
}

TEST(Utf16, BrokenUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(Utf16FromUtf8("a\x80z"), u"a\uFFFDz") << "lone continuation byte";
    EXPECT_EQ(Utf16FromUtf8("a\xE3\x81z"), u"a\uFFFDz") << "cut-short sequence";
    EXPECT_EQ(Utf16FromUtf8("\xE3\x81"), u"\uFFFD") << "cut short by the end";
    EXPECT_EQ(Utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD") << "overlong";
    EXPECT_EQ(Utf16FromUtf8("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD") << "overlong";
    EXPECT_EQ(Utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD") << "encoded surrogate";
    EXPECT_EQ(Utf16FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD") << "past U+10FFFF";
    EXPECT_EQ(Utf16FromUtf8("\xFF"), u"\uFFFD");
}

TEST(Utf16, UnpairedSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(Utf8FromUtf16(std::u16string{u'a', 0xD83D}), "a\uFFFD");
    EXPECT_EQ(Utf8FromUtf16(std::u16string{0xDCF7, u'b'}), "\uFFFDb");
    EXPECT_EQ(Utf8FromUtf16(std::u16string{0xDCF7, 0xD83D}), "\uFFFD\uFFFD");
    EXPECT_EQ(Utf8FromUtf16(std::u16string{0xD83D, u'c'}), "\uFFFDc");
}

}  // namespace
}  // namespace dhsu
