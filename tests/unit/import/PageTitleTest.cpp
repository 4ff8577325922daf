#include <gtest/gtest.h>

#include "text/TextEncoding.h"
#include "import/PageTitle.h"

using namespace quillmap;

namespace {

std::string utf8(const std::optional<std::u32string>& text)
{
    if (!text) return "(none)";
    std::string out;
    encodeText(*text, TextEncoding::Utf8, out);
    return out;
}

// Code units above 0xFF are given as two bytes, high first.
std::string utf16(const std::string& text, bool bigEndian = false)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool wide = static_cast<unsigned char>(text[i]) >= 0xD8 && i + 1 < text.size();
        std::string unit = wide ? text.substr(i++, 2) : std::string{'\0', text[i]};
        if (!bigEndian) std::swap(unit[0], unit[1]);
        out += unit;
    }
    return out;
}

}  // namespace

TEST(PageTitleTest, TitlesAreReadInThePagesOwnCharset)
{
    const struct {
        const char* what;
        std::string page;
        const char* title;
    } cases[] = {
        {"references decoded", "<title>Fish &amp; Chips &ndash; &#x263A; &lt;3</title>", "Fish & Chips \u2013 \u263A <3"},
        {"white space collapsed", "<title>\n  Two\t words \r\n </title>", "Two words"},
        {"tags in a title are text", "<title>a <b>bold</b> one</title>", "a <b>bold</b> one"},
        {"meta charset", "<meta charset=\"iso-8859-1\"><title>Caf\xE9</title>", "Caf\u00E9"},
        {"http-equiv", "<meta http-equiv=\"content-type\" content=\"text/html; charset=Windows-1252\">"
                       "<title>\x93Q\x94</title>", "\u201CQ\u201D"},
        {"http-equiv after the title", "<title>Caf\xE9</title><meta http-equiv=Content-Type "
                                       "content='text/html;charset=koi8-r'>", "Caf\u0418"},
        {"a charset only the system converts", "<meta charset=koi8-r><title>\xF0\xD2\xC9\xD7\xC5\xD4</title>",
         "\u041F\u0440\u0438\u0432\u0435\u0442"},
        {"no charset, UTF-8 bytes", "<title>Caf\xC3\xA9</title>", "Caf\u00E9"},
        {"no charset, 8-bit bytes", "<title>Caf\xE9 \x80</title>", "Caf\u00E9 \u20AC"},
        {"declared UTF-8 wins over the bytes", "<meta charset=utf-8><title>Caf\xE9</title>", "Caf\uFFFD"},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF<meta charset=iso-8859-1><title>Caf\xC3\xA9</title>", "Caf\u00E9"},
        {"UTF-16 byte order mark", utf16("<title>Sixteen</title>"), "Sixteen"},
        {"UTF-16 big-endian, a pair of surrogates", utf16("<title>Hi \xD8\x3D\xDE\x01</title>", true),
         "Hi \U0001F601"},
        {"a double-byte charset", "<meta charset=shift_jis><title>\x93\xFA\x96\x7B</title>", "\u65E5\u672C"},
        {"a title inside SVG is not the page's", "<body><svg><title>icon</title></svg><title>Real</title>", "Real"},
        {"no title", "<html><head></head><body>text</body></html>", "(none)"},
        {"an empty title", "<title> \n </title>", "(none)"},
        {"broken markup", "<html><title>Still <here</title><<<>>><body", "Still <here"},
    };
    for (const auto& c : cases) {
        const TitleScan scan = scanPageTitle(c.page, true);
        EXPECT_EQ(utf8(scan.title), c.title) << c.what;
        EXPECT_FALSE(scan.binary) << c.what;
    }
}

// A title read from the first bytes of a page asks for more only when more can change it.
TEST(PageTitleTest, TheStartOfAPageAsksForMoreOnlyWhenTheTitleMayGoOn)
{
    const struct {
        const char* what;
        std::string start;
        bool wantsMore;
    } cases[] = {
        {"closed title", "<title>Done</title><p>rest", false},
        {"title still open", "<title>Not done", true},
        {"head still open, no title yet", "<head><script>var x = 1;", true},
        {"body started without a title", "<head></head><body><p>text", false},
        {"a title already as long as a caption", "<title>" + std::string(300, 'x'), false},
        {"non-ASCII title before any charset", "<title>Caf\xE9</title>", true},
        {"non-ASCII title after a charset", "<meta charset=utf-8><title>Caf\xC3\xA9</title>", false},
    };
    for (const auto& c : cases) EXPECT_EQ(scanPageTitle(c.start, false).wantsMore, c.wantsMore) << c.what;
    EXPECT_FALSE(scanPageTitle("<title>Not done", true).wantsMore) << "a whole page never asks";
}

TEST(PageTitleTest, BinaryContentIsNoPage)
{
    EXPECT_TRUE(scanPageTitle(std::string("GIF89a\0\0\x01<title>x</title>", 22), true).binary);
    EXPECT_FALSE(scanPageTitle(utf16("<title>x</title>"), true).binary);
}
