#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "import/CaptionText.h"
#include "import/NaturalOrder.h"

using namespace quillmap;

namespace {

std::string utf8(const std::u32string& text)
{
    std::string out;
    encodeText(text, TextEncoding::Utf8, out);
    return out;
}

}  // namespace

TEST(CaptionTextTest, TitlesBecomeCaptionsThatShowAsText)
{
    const struct {
        std::u32string text;
        TextEncoding encoding;
        std::string caption;
    } cases[] = {
        {U"A < B & C", TextEncoding::Utf8, "A < B & C"},
        {U"<script>alert(1)</script>", TextEncoding::Utf8, "&lt;script>alert(1)&lt;/script>"},
        {U"&amp; &#38; <!-- x", TextEncoding::Utf8, "&amp;amp; &amp;#38; &lt;!-- x"},
        {U"  spaced\t\n out  ", TextEncoding::Utf8, "spaced out"},
        {U"bell\u0007 and\u2028line", TextEncoding::Utf8, "bell andline"},
        {U"Caf\u00E9 \u20AC \u263A", TextEncoding::Utf8, "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x98\xBA"},
        {U"Caf\u00E9 \u20AC \u263A", TextEncoding::CodePage, "Caf\xE9 \x80 &#9786;"},
    };
    for (const auto& c : cases) EXPECT_EQ(captionText(c.text, c.encoding), c.caption) << utf8(c.text);
}

TEST(CaptionTextTest, AMegabyteTitleIsCutToACaption)
{
    const std::string caption = captionText(std::u32string(1 << 20, U'\u00E9'), TextEncoding::Utf8);
    EXPECT_EQ(caption.size(), (MaxImportedCaptionLength - 3) * 2 + 3);
    EXPECT_EQ(caption.substr(caption.size() - 3), "...");
}

TEST(CaptionTextTest, NamesAreMadeReadable)
{
    const struct {
        std::string name;
        bool isFile;
        const char* readable;
    } cases[] = {
        {"opening-hours.html", true, "Opening hours"},
        {"page_2.htm", true, "Page 2"},
        {"FAQ.html", true, "FAQ"},
        {"caf\xC3\xA9--menu.php", true, "Caf\u00E9 menu"},
        {"caf\xE9.html", true, "Caf\u00E9"},
        {"release-1.2", false, "Release 1.2"},
        {"noextension", true, "Noextension"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8(readableName(c.name, c.isFile)), c.readable) << c.name;
}

TEST(NaturalOrderTest, NumbersCompareByValueAndLettersWithoutCase)
{
    std::vector<std::string> names{"page-10", "Page-2", "page-1", "b", "A", "page-02b", "chapter 007", "chapter 7",
                                   "chapter 70", "99999999999999999999999", "100000000000000000000000"};
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return naturalLess(a, b); });
    EXPECT_EQ(names, (std::vector<std::string>{"99999999999999999999999", "100000000000000000000000", "A", "b",
                                               "chapter 007", "chapter 7", "chapter 70", "page-1", "Page-2",
                                               "page-02b", "page-10"}));
}
