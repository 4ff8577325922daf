#pragma once
#include <array>
#include <string>
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

}  // namespace quillmap
