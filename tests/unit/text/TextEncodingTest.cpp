#include <gtest/gtest.h>

#include "text/TextEncoding.h"

using namespace quillmap;

TEST(TextEncoding, Utf8ValidityRejectsMalformedSequences)
{
    const struct {
        const char* bytes;
        bool valid;
    } cases[] = {
        {"plain ascii", true},       {"Caf\xC3\xA9", true},        {"\xF0\x9F\x8C\xB3 tree", true},
        {"Caf\xE9", false},          {"\xC0\xAF", false},          {"\xED\xA0\x80", false},
        {"\xF4\x90\x80\x80", false}, {"cut \xE2\x82", false},      {"\x80 lone", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(TextEncoding, CodePageRoundTripsEveryByteAndRefusesWhatItCannotHold)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const std::u32string decoded = decodeText(all, TextEncoding::CodePage);
    EXPECT_EQ(decoded[0x80 - 1], U'\u20AC');
    EXPECT_EQ(decoded[0xE9 - 1], U'\u00E9');
    std::string back;
    ASSERT_TRUE(encodeText(decoded, TextEncoding::CodePage, back));
    EXPECT_EQ(back, all);

    EXPECT_FALSE(encodeText(U"\u65E5\u672C", TextEncoding::CodePage, back));
    ASSERT_TRUE(encodeText(U"\u65E5\u672C \U0001F333", TextEncoding::Utf8, back));
    EXPECT_EQ(back, "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8C\xB3");
    EXPECT_EQ(decodeText("a\xFF" "b", TextEncoding::Utf8), U"a\uFFFDb");
}

// A file written on a system whose ANSI code page is not Windows-1252 decodes with that code page
// (a double-byte one included), and a character the code page lacks is refused, never saved as a
// look-alike or a question mark.
TEST(TextEncoding, OtherAnsiCodePagesOfWindows)
{
#ifndef _WIN32
    GTEST_SKIP() << "only Windows knows other ANSI code pages";
#else
    const struct {
        unsigned codePage;
        const char* bytes;
        std::u32string text;
    } cases[] = {
        {932, "\x93\xFA\x96\x7B.qmp", U"\u65E5\u672C.qmp"},
        {1251, "\xCF\xF0\xE8\xEC\xE5\xF0", U"\u041F\u0440\u0438\u043C\u0435\u0440"},
        {1253, "\xC1\xE8\xDE\xED\xE1", U"\u0391\u03B8\u03AE\u03BD\u03B1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeCodePage(c.bytes, c.codePage), c.text) << c.codePage;
        std::string back;
        ASSERT_TRUE(encodeCodePage(c.text, c.codePage, back)) << c.codePage;
        EXPECT_EQ(back, c.bytes) << c.codePage;
    }
    std::string out;
    EXPECT_FALSE(encodeCodePage(U"Caf\u00E9", 1251, out));
    EXPECT_FALSE(encodeCodePage(U"\u65E5\u672C", 1253, out));
    EXPECT_FALSE(encodeCodePage(U"\U0001F333", 932, out));
#endif
}
