#pragma once
#include <cstdint>
#include <string>

namespace quillmap {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// "#RRGGBB", upper case.
std::string ColorToHtml(Rgb color);
// Characters 2-7 as three hexadecimal bytes (either case); character 1 is not examined and
// anything after the seventh is ignored. Throws quillmap::Error on a malformed text.
Rgb HtmlToColor(const std::string& text);

}  // namespace quillmap
