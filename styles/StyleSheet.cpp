#include "styles/StyleSheet.h"

namespace quillmap {

std::string StyleName(int styleIndex)
{
    switch (styleIndex) {
    case 1: return "underline";
    case 2: return "overline";
    case 3: return "line-through";
    default: return styleIndex <= 0 ? "none" : "";
    }
}

std::vector<std::string> BuildStyleSheet(const MenuLook& look)
{
    const auto linkRule = [](const char* selector, int style, Rgb color) {
        return std::string(selector) + " {text-decoration: " + StyleName(style) + "; color: " + ColorToHtml(color) + "}";
    };
    return {
        "BODY {background-color: " + ColorToHtml(look.backColor) + "}",
        linkRule("A:link", look.linkStyle, look.linkColor),
        linkRule("A:visited", look.visitedLinkStyle, look.visitedLinkColor),
        linkRule("A:hover", look.activatedLinkStyle, look.activatedLinkColor),
        "TD {color: " + ColorToHtml(look.textColor) + "}",
    };
}

}  // namespace quillmap
