#include <gtest/gtest.h>

#include "platform/base/Format.h"
#include "platform/base/Text.h"

using namespace zorun;

TEST(Utf, RoundTripsEveryPlane) {
    std::u16string text = u"Zorun äöü 日本語 \U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(u"日本"), "\xE6\x97\xA5\xE6\x9C\xAC");
}

TEST(Utf, InvalidInputBecomesReplacementCharacters) {
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b"),
              u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xE6\x97"), u"\uFFFD");                             // cut short
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD");                             // overlong
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD"); // lone surrogate
}

TEST(CaseInsensitive, FoldsBeyondAscii) {
    EXPECT_EQ(CompareNoCase(u"Hopper.EXE", u"hopper.exe"), 0);
    EXPECT_EQ(CompareNoCase(u"ÄRGER", u"ärger"), 0);
    EXPECT_EQ(CompareNoCase(u"ΣΟΦΙΑ", u"σοφια"), 0);
    EXPECT_LT(CompareNoCase(u"abc", u"ABD"), 0);
    EXPECT_GT(CompareNoCase(u"abcd", u"ABC"), 0);
    EXPECT_NE(CompareNoCase(u"é", u"e"), 0);
    EXPECT_EQ(FindNoCase(u"\\Windows\\Start MENU", u"start menu"), 9u);
    EXPECT_EQ(FindNoCase(u"abc", u"abcd"), std::u16string_view::npos);
}

TEST(Format, ConversionsAndWidths) {
    EXPECT_EQ(Format(u"%s%d", u"Name", 2), u"Name2");
    EXPECT_EQ(Format(u"%i / %d", 1, -3), u"1 / -3");
    EXPECT_EQ(Format(u"%3.1f MB", 1.5), u"1.5 MB");
    EXPECT_EQ(Format(u"%3.1f", 0.04), u"0.0");
    EXPECT_EQ(Format(u"%5s|%-4s|", u"ab", u"c"), u"   ab|c   |");
    EXPECT_EQ(Format(u"100%%"), u"100%");
    EXPECT_EQ(Format(u"%s und %s", u"Größe", u"日本"), u"Größe und 日本");
    EXPECT_EQ(Format(u"%02d:%02d", 7, 5), u"07:05");
}

TEST(Format, MismatchedArgumentsAreSafe) {
    EXPECT_EQ(Format(u"%s %d"), u" ");
    EXPECT_EQ(Format(u"%d", u"text"), u"");
    EXPECT_EQ(Format(u"%s", 42), u"42");
    EXPECT_EQ(Format(u"50%"), u"50%");
    EXPECT_EQ(Format(u"%999999999d", 1).size(), 4096u);
}
