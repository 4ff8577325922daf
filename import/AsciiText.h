#pragma once
#include <string>
#include <string_view>

namespace quillmap {

// Letters A-Z made lower case; every other byte stays, so UTF-8 and 8-bit text pass unchanged.
inline std::string asciiLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The text with every byte that kept() refuses written as %XX.
template <typename Kept>
std::string percentEncoded(std::string_view text, Kept kept)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (kept(c)) {
            out += ch;
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 15];
        }
    }
    return out;
}

}  // namespace quillmap
