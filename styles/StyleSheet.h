#pragma once
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "styles/ColorText.h"

namespace quillmap {

// The look of the generated menu page: five colours and three link decorations.
struct MenuLook {
    Rgb backColor{255, 255, 255};
    Rgb textColor{0, 0, 0};
    Rgb linkColor{0, 0, 255};
    Rgb visitedLinkColor{0, 0, 255};
    Rgb activatedLinkColor{255, 0, 0};
    int linkStyle = 0;           // selected entry of the style lists; -1 for none selected
    int visitedLinkStyle = 0;
    int activatedLinkStyle = 0;
    bool operator==(const MenuLook&) const = default;
};

// "none", "underline", "overline", "line-through"; 0 and below give "none", 4 and above "".
std::string StyleName(int styleIndex);

// The five lines of Quillnavstyle.css.
std::vector<std::string> BuildStyleSheet(const MenuLook& look);

// The element the script menu draws its rows into, in a page of any browser that runs it today.
inline constexpr const char* ScriptMenuSelector = "#quillnavTree";

// A stylesheet's rules made to apply inside one element alone, so that a page linking it keeps
// its own look: a selector naming one of the elements in `itself` (the page's body, say; matched
// without regard to case) becomes the element's selector, every other one is looked for inside
// it. Lines that are no one-line rule (a comment, an @-rule) are left out.
std::vector<std::string> ScopedStyleSheet(const std::vector<std::string>& sheet, std::string_view scope,
                                          std::initializer_list<std::string_view> itself = {"html", "body"});

}  // namespace quillmap
