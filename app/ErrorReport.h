#pragma once
#include <string>

namespace quillmap {

// The general error report's text: a full stop is added unless the last character already is
// one or sorts before it.
inline std::string withFullStop(const std::string& text)
{
    if (!text.empty() && static_cast<unsigned char>(text.back()) <= '.') return text;
    return text + ".";
}

}  // namespace quillmap
