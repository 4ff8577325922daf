#include <gtest/gtest.h>

#include "text/Error.h"
#include "styles/StyleSheet.h"

using namespace quillmap;

TEST(ColorText, WritesUpperCaseAndReadsEitherCase)
{
    EXPECT_EQ(ColorToHtml({255, 255, 255}), "#FFFFFF");
    EXPECT_EQ(ColorToHtml({255, 128, 0}), "#FF8000");
    EXPECT_EQ(ColorToHtml(HtmlToColor("#a0b0c0")), "#A0B0C0");
    EXPECT_EQ(HtmlToColor("#0000ff"), (Rgb{0, 0, 255}));
    EXPECT_EQ(HtmlToColor("X0000FF"), (Rgb{0, 0, 255}));
    EXPECT_EQ(HtmlToColor("#FF000080"), (Rgb{255, 0, 0}));
}

TEST(ColorText, RefusesMalformedText)
{
    EXPECT_THROW(HtmlToColor("#00GG00"), Error);
    EXPECT_THROW(HtmlToColor("#FFF"), Error);
    EXPECT_THROW(HtmlToColor(""), Error);
}

TEST(StyleSheet, DefaultLinesAndStyleWords)
{
    EXPECT_EQ(BuildStyleSheet(MenuLook{}),
              (std::vector<std::string>{"BODY {background-color: #FFFFFF}",
                                        "A:link {text-decoration: none; color: #0000FF}",
                                        "A:visited {text-decoration: none; color: #0000FF}",
                                        "A:hover {text-decoration: none; color: #FF0000}", "TD {color: #000000}"}));
    MenuLook look;
    look.linkStyle = 1;
    look.visitedLinkStyle = 3;
    look.activatedLinkStyle = -1;
    auto lines = BuildStyleSheet(look);
    EXPECT_EQ(lines[1], "A:link {text-decoration: underline; color: #0000FF}");
    EXPECT_EQ(lines[2], "A:visited {text-decoration: line-through; color: #0000FF}");
    EXPECT_EQ(lines[3], "A:hover {text-decoration: none; color: #FF0000}");
    EXPECT_EQ(StyleName(2), "overline");
    EXPECT_EQ(StyleName(4), "");
}
