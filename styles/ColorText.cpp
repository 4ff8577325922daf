#include "styles/ColorText.h"

#include "text/Error.h"

namespace quillmap {

std::string ColorToHtml(Rgb color)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (std::uint8_t byte : {color.red, color.green, color.blue}) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

static int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

Rgb HtmlToColor(const std::string& text)
{
    const auto fail = [&text]() { throw Error("'" + text + "' is not a valid colour"); };
    if (text.size() < 7) fail();
    std::uint8_t bytes[3];
    for (int i = 0; i < 3; ++i) {
        const int high = hexDigit(text[1 + 2 * i]);
        const int low = hexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0) fail();
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return {bytes[0], bytes[1], bytes[2]};
}

}  // namespace quillmap
