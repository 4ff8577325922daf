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

// The menu's layout: rows 22 pixels high, each image 16 by 22, as in the script menu. A row
// below the top folder has its connector drawn just left of it; a list item with later siblings
// draws the vertical line down the left of everything inside it. A long caption wraps under its
// own start. Colours and fonts come from the page unless the project sets them. All addresses
// are relative to this stylesheet.
const char* const Layout[] = {
    "/* Quillmap menu without script: styles <nav class=\"quillnav\"> and nothing outside it. */",
    "/* The images are addressed relative to this file, so the menu works in a page of any folder. */",
    "/* Deep entries in a narrow box: the menu scrolls sideways rather than cutting them off. */",
    "& {overflow-x: auto}",
    "& ul, & li, & details {display: block; list-style: none; margin: 0; padding: 0; border: 0; "
    "background: none; float: none; width: auto; height: auto; min-height: 0; text-indent: 0}",
    "/* A document's row is laid out and drawn only when it comes near the window: a long menu shows",
    "   at once. Nothing may stick out of such an item, so it is at least as wide as its row. A folder's",
    "   item holds its open list and stays laid out. */",
    "& li {content-visibility: auto; contain-intrinsic-size: auto 22px; min-width: calc(8em + 20px); "
    "box-sizing: content-box}",
    "& li.quillnav-folder {position: relative; content-visibility: visible}",
    "& li > a:focus-visible, & a.quillnav-icon:focus-visible {outline-offset: -2px}",
    "& li li {padding-left: 16px; background: url(\"ftv2vertline.gif\") repeat-y 0 0 / 16px 22px}",
    "& li li.quillnav-last {background: none}",
    "& summary, & li > a, & li > span {display: block; position: relative; float: none; width: auto; height: auto; "
    "min-width: 8em; min-height: 22px; margin: 0; padding: 0 0 0 20px; border: 0; box-sizing: content-box; font: inherit; "
    "line-height: 22px; text-align: left; text-indent: 0; white-space: normal; overflow-wrap: break-word; "
    "list-style: none; background: no-repeat 0 0 / 16px 22px}",
    "& summary {cursor: pointer; background-image: url(\"ftv2folderclosed.gif\")}",
    "& summary::-webkit-details-marker {display: none}",
    "& summary::before, & summary::after {content: none}",
    "& details[open] > summary {background-image: url(\"ftv2folderopen.gif\")}",
    "& li > a, & li > span {background-image: url(\"ftv2doc.gif\")}",
    "/* A folder's link follows its summary: the summary is then the folder's icon alone. */",
    "& summary.quillnav-toggle {position: absolute; z-index: 1; width: 16px; height: 22px; min-width: 0; "
    "min-height: 0; padding: 0}",
    "& li.quillnav-folder > a {background-image: none}",
    "& li li > details > summary::before, & li li > a::before, & li li > span::before {content: \"\"; "
    "position: absolute; left: -16px; top: 0; width: 16px; height: 22px; background: url(\"ftv2node.gif\") "
    "no-repeat 0 0 / 16px 22px}",
    "& li li.quillnav-folder > a::before {content: none}",
    "& li li.quillnav-last > a::before, & li li.quillnav-last > span::before "
    "{background-image: url(\"ftv2lastnode.gif\")}",
    "& li li > details > summary::before {background-image: url(\"ftv2pnode.gif\")}",
    "& li li.quillnav-last > details > summary::before {background-image: url(\"ftv2plastnode.gif\")}",
    "& li li > details[open] > summary::before {background-image: url(\"ftv2mnode.gif\")}",
    "& li li.quillnav-last > details[open] > summary::before {background-image: url(\"ftv2mlastnode.gif\")}",
    "/* A closed folder's entries are taken out of the layout altogether: a browser that lays out the",
    "   hidden contents of closed folders all the same takes many times longer to show a long menu. */",
    "& details:not([open]) + ul, & details:not([open]) + a + ul {display: none}",
    "& a.quillnav-icon {position: absolute; left: auto; top: 0; width: 16px; height: 22px; min-width: 0; min-height: 0; padding: 0; "
    "background: none}",
    "& a.quillnav-icon::before {content: none}",
    "& [aria-current=\"page\"] {font-weight: bold}",
    "/* Every tree image is asked for as soon as the menu shows, drawn nowhere, so that an image first",
    "   needed far down a long menu does not hold back the page's load event until the end. */",
    "&::after {content: \"\"; display: block; height: 0; background: no-repeat 0 0 / 0 0; background-image: "
    "url(\"ftv2folderclosed.gif\"), url(\"ftv2folderopen.gif\"), url(\"ftv2doc.gif\"), url(\"ftv2vertline.gif\"), "
    "url(\"ftv2node.gif\"), url(\"ftv2lastnode.gif\"), url(\"ftv2pnode.gif\"), url(\"ftv2plastnode.gif\"), "
    "url(\"ftv2mnode.gif\"), url(\"ftv2mlastnode.gif\")}",
};

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
        lines.push_back(std::string(Menu) + " .quillnav-img" + std::to_string(k + 1) + " {background-image: url(" +
                        cssString(images[k]) + ")}");
    return lines;
}

}  // namespace quillmap
