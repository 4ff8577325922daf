#include <string>
#include <string_view>

#include "generator/StaticMenu.h"
#include "styles/StyleSheet.h"

namespace quillmap {

namespace {

// The menu's layout: rows 22 pixels high, each image 16 by 22, as in the script menu. A row
// below the top folder has its connector drawn just left of it; a list item with later siblings
// draws the vertical line down the left of everything inside it. All addresses are relative to
// this stylesheet.
const char* const Layout[] = {
    "/* Quillmap menu without script: styles <nav class=\"quillnav\"> and nothing outside it. */",
    "/* The images are addressed relative to this file, so the menu works in a page of any folder. */",
    "nav.quillnav ul {list-style: none; margin: 0; padding: 0}",
    "nav.quillnav li {margin: 0; padding: 0}",
    "nav.quillnav li li {padding-left: 16px}",
    "nav.quillnav li li:not(:last-child) {background: url(\"ftv2vertline.gif\") repeat-y 0 0 / 16px 22px}",
    "nav.quillnav summary, nav.quillnav li > a, nav.quillnav li > span {display: block; position: relative; "
    "min-height: 22px; line-height: 22px; padding-left: 20px; white-space: nowrap; "
    "background: no-repeat 0 0 / 16px 22px}",
    "nav.quillnav summary {list-style: none; cursor: pointer; background-image: url(\"ftv2folderclosed.gif\")}",
    "nav.quillnav summary::-webkit-details-marker {display: none}",
    "nav.quillnav details[open] > summary {background-image: url(\"ftv2folderopen.gif\")}",
    "nav.quillnav li > a, nav.quillnav li > span {background-image: url(\"ftv2doc.gif\")}",
    "nav.quillnav li li > details > summary::before, nav.quillnav li li > a::before, "
    "nav.quillnav li li > span::before {content: \"\"; position: absolute; left: -16px; top: 0; width: 16px; "
    "height: 22px; background: url(\"ftv2node.gif\") no-repeat 0 0 / 16px 22px}",
    "nav.quillnav li li:last-child > a::before, nav.quillnav li li:last-child > span::before "
    "{background-image: url(\"ftv2lastnode.gif\")}",
    "nav.quillnav li li > details > summary::before {background-image: url(\"ftv2pnode.gif\")}",
    "nav.quillnav li li:last-child > details > summary::before {background-image: url(\"ftv2plastnode.gif\")}",
    "nav.quillnav li li > details[open] > summary::before {background-image: url(\"ftv2mnode.gif\")}",
    "nav.quillnav li li:last-child > details[open] > summary::before "
    "{background-image: url(\"ftv2mlastnode.gif\")}",
    "/* A closed folder's entries are taken out of the layout altogether: a browser that lays out the",
    "   hidden contents of closed folders all the same takes many times longer to show a long menu. */",
    "nav.quillnav details:not([open]) > ul {display: none}",
    "nav.quillnav a.quillnav-icon {position: absolute; left: 0; top: 0; width: 16px; height: 22px; padding: 0}",
    "nav.quillnav [aria-current=\"page\"] {font-weight: bold}",
    "/* Every tree image is asked for as soon as the menu shows, drawn nowhere, so that an image first",
    "   needed far down a long menu does not hold back the page's load event until the end. */",
    "nav.quillnav::after {content: \"\"; display: block; height: 0; background: no-repeat 0 0 / 0 0; background-image: "
    "url(\"ftv2folderclosed.gif\"), url(\"ftv2folderopen.gif\"), url(\"ftv2doc.gif\"), url(\"ftv2vertline.gif\"), "
    "url(\"ftv2node.gif\"), url(\"ftv2lastnode.gif\"), url(\"ftv2pnode.gif\"), url(\"ftv2plastnode.gif\"), "
    "url(\"ftv2mnode.gif\"), url(\"ftv2mlastnode.gif\")}",
};

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
    Lines lines(std::begin(Layout), std::end(Layout));
    // The page and the table cells the script draws become the nav.
    for (std::string& rule :
         ScopedStyleSheet(projectStyleSheet, "nav.quillnav", {"body", "html", "td", "th", "table", "tr"}))
        lines.push_back(std::move(rule));
    for (std::size_t k = 0; k < images.size(); ++k)
        lines.push_back("nav.quillnav .quillnav-img" + std::to_string(k + 1) + " {background-image: url(" +
                        cssString(images[k]) + ")}");
    return lines;
}

}  // namespace quillmap
