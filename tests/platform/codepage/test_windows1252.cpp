#include "Windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteSurvivesTheTripThroughUtf8)
{
    std::string allBytes;
    for (int byte = 1; byte < 256; ++byte)
        allBytes.push_back(static_cast<char>(byte));
    EXPECT_EQ(codepage::utf8ToWindows1252(codepage::windows1252ToUtf8(allBytes)), allBytes);
}

TEST(Windows1252, HighBytesStandForTheirTypographicCharacters)
{
    EXPECT_EQ(codepage::fromWindows1252(0x80), U'\u20AC');
    EXPECT_EQ(codepage::fromWindows1252(0x93), U'\u201C');
    EXPECT_EQ(codepage::fromWindows1252(0xE9), U'\u00E9');
    EXPECT_EQ(codepage::windows1252ToUtf8("Jos\xE9 \x80"), "Jos\xC3\xA9 \xE2\x82\xAC");
}

TEST(Windows1252, CharactersTheCodePageLacksAndBrokenUtf8BecomeQuestionMarks)
{
    EXPECT_EQ(codepage::toWindows1252(U'\u0416'), '?');
    EXPECT_EQ(codepage::toWindows1252(U'\u2122'), '\x99');
    EXPECT_EQ(codepage::utf8ToWindows1252("a\xE2\x82"), "a??");
    EXPECT_EQ(codepage::utf8ToWindows1252("\xF0\x9F\x98\x80!"), "?!");
}
