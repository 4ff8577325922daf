#pragma once
#include <string>

#include "text/TextEncoding.h"

namespace quillmap {

// The general error report's text: a full stop is added unless the last character already is
// one or sorts before it.
inline std::string withFullStop(const std::string& text)
{
    if (!text.empty() && static_cast<unsigned char>(text.back()) <= '.') return text;
    return text + ".";
}

// The report's text as UTF-8. An error text holds file names, which are UTF-8 on Windows, and
// texts quoted from files, which are UTF-8 or in the 8-bit code page.
inline std::string reportText(const std::string& text)
{
    std::string shown = withFullStop(text);
    if (detectEncoding(shown) == TextEncoding::Utf8) return shown;
    std::string utf8;
    encodeText(decodeText(shown, TextEncoding::CodePage), TextEncoding::Utf8, utf8);
    return utf8;
}

}  // namespace quillmap
