#include <string>
#include <string_view>

#include "generator/StaticMenu.h"
#include "styles/StyleSheet.h"

namespace quillmap {

namespace {

// Every rule starts from the menu's nav, given the weight of an id (":not(#...)" matches every
// nav but weighs as an id), so that the usual rules of a host page's sidebar - "#sidebar ul",
// "div.sidebar ul ul", "details > summary" - do not outweigh the menu's own layout. "&" in the
// lines below stands for that selector.
constexpr std::string_view Menu = "nav.quillnav:not(#quillnav-host)";

// The menu's layout: rows 22 pixels high, each picture 16 by 22, as in the script menu. The tree's
// lines are drawn by the stylesheet itself, one pixel wide at x 7 of a row's 16-pixel column: a
// list item with later siblings draws the vertical line down the left of everything inside it, a
// document's item its connector too. The folder, document and plus/minus pictures are cells of
// one picture, quillnav-tree.png (assets/draw-images.sh), so a page asks for one file and its
// load event waits for no more. A long caption wraps under its own start. Colours and fonts come
// from the page unless the project sets them. All addresses are relative to this stylesheet.
#define QUILLNAV_LINE "linear-gradient(#9A9A9A, #9A9A9A) no-repeat"
#define QUILLNAV_TREE "url(\"quillnav-tree.png\") no-repeat"
const char* const Layout[] = {
    "/* Quillmap menu without script: styles <nav class=\"quillnav\"> and nothing outside it. */",
    "/* The pictures are addressed relative to this file, so the menu works in a page of any folder. */",
    "/* Deep entries in a narrow box: the menu scrolls sideways rather than cutting them off. */",
    "& {overflow-x: auto}",
    "& ul, & li, & details {display: block; list-style: none; margin: 0; padding: 0; border: 0; "
    "background: none; float: none; width: auto; height: auto; min-height: 0; text-indent: 0}",
    "/* A row is laid out and drawn only when it comes near the window: a long menu shows at once.",
    "   Nothing may stick out of such an item, so it is at least as wide as its row and its focus ring",
    "   lies inside it. An open folder's item holds its list and stays laid out. */",
    "& li {content-visibility: auto; contain-intrinsic-size: auto 22px; min-width: calc(8em + 20px); "
    "box-sizing: content-box}",
    "& li.quillnav-folder {position: relative; content-visibility: visible}",
    "& li.quillnav-folder:has(> details:not([open])) {content-visibility: auto}",
    "& li > a:focus-visible, & a.quillnav-icon:focus-visible, & summary:focus-visible {outline-offset: -2px}",
    "/* The lines: down a folder's item, and down a document's item with its connector. */",
    "& li li {padding-left: 16px; background: " QUILLNAV_LINE " 7px 0 / 1px 100%}",
    "& li li:not(.quillnav-folder) {background: " QUILLNAV_LINE " 8px 11px / 8px 1px, " QUILLNAV_LINE
    " 7px 0 / 1px 100%}",
    "& li li.quillnav-last {background: none}",
    "& li li.quillnav-last:not(.quillnav-folder) {background: " QUILLNAV_LINE " 8px 11px / 8px 1px, " QUILLNAV_LINE
    " 7px 0 / 1px 12px}",
    "/* The cells of quillnav-tree.png, 22 pixels apart: closed and open folder, document, then the",
    "   plus and minus boxes with their connectors, each as the last item or not. */",
    "& summary, & li > a, & li > span {display: block; position: relative; float: none; width: auto; height: auto; "
    "min-width: 8em; min-height: 22px; margin: 0; padding: 0 0 0 20px; border: 0; box-sizing: content-box; font: inherit; "
    "line-height: 22px; text-align: left; text-indent: 0; white-space: normal; overflow-wrap: break-word; "
    "list-style: none; background: " QUILLNAV_TREE " 0 0 / 16px 154px}",
    "& summary {cursor: pointer}",
    "& summary::-webkit-details-marker {display: none}",
    "& summary::before, & summary::after {content: none}",
    "& details[open] > summary {background-position: 0 -22px}",
    "& li > a, & li > span {background-position: 0 -44px}",
    "/* A folder's link follows its summary: the summary is then the folder's icon alone. */",
    "& summary.quillnav-toggle {position: absolute; z-index: 1; width: 16px; height: 22px; min-width: 0; "
    "min-height: 0; padding: 0}",
    "& li.quillnav-folder > a {background-image: none}",
    "& li li > details > summary::before {content: \"\"; position: absolute; left: -16px; top: 0; width: 16px; "
    "height: 22px; background: " QUILLNAV_TREE " 0 -66px / 16px 154px}",
    "& li li.quillnav-last > details > summary::before {background-position: 0 -88px}",
    "& li li > details[open] > summary::before {background-position: 0 -110px}",
    "& li li.quillnav-last > details[open] > summary::before {background-position: 0 -132px}",
    "/* A closed folder's entries are taken out of the layout altogether: a browser that lays out the",
    "   hidden contents of closed folders all the same takes many times longer to show a long menu. */",
    "& details:not([open]) + ul, & details:not([open]) + a + ul {display: none}",
    "& a.quillnav-icon {position: absolute; left: auto; top: 0; width: 16px; height: 22px; min-width: 0; min-height: 0; padding: 0; "
    "background: none}",
    "& [aria-current=\"page\"] {font-weight: bold}",
};
#undef QUILLNAV_LINE
#undef QUILLNAV_TREE

// The line with every "&" replaced by the menu's selector.
std::string withMenuSelector(std::string_view line)
{
    std::string text;
    for (const char c : line) {
        if (c == '&') text += Menu;
        else text += c;
    }
    return text;
}

// An address as a CSS string: quotes, backslashes, control characters and everything outside
// ASCII become escapes, so the stylesheet stays ASCII.
std::string cssString(std::string_view text)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
            out += static_cast<char>(byte);
            continue;
        }
        char32_t c = byte;
        // A UTF-8 sequence becomes its code point.
        const int more = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
        if (more > 0 && i + static_cast<std::size_t>(more) < text.size()) {
            c = byte & (0x3F >> more);
            for (int k = 1; k <= more; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
            i += static_cast<std::size_t>(more);
        }
        std::string digits;
        for (; c > 0 || digits.empty(); c >>= 4) digits.insert(digits.begin(), hex[c & 0xF]);
        out += '\\' + digits + ' ';
    }
    return out + '"';
}

}  // namespace

Lines BuildStaticStyleSheet(const Lines& projectStyleSheet, const std::vector<std::string>& images)
{
    Lines lines;
    for (const char* const line : Layout) lines.push_back(withMenuSelector(line));
    // The page and the table cells the script draws become the nav.
    for (std::string& rule : ScopedStyleSheet(projectStyleSheet, Menu, {"body", "html", "td", "th", "table", "tr"}))
        lines.push_back(std::move(rule));
    for (std::size_t k = 0; k < images.size(); ++k)
        lines.push_back(std::string(Menu) + " .quillnav-img" + std::to_string(k + 1) + " {background: url(" +
                        cssString(images[k]) + ") no-repeat 0 0 / 16px 22px}");
    return lines;
}

}  // namespace quillmap
