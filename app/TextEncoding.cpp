#include "app/TextEncoding.h"

#include <array>

namespace quillmap {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the five bytes the code page leaves unassigned map to the
// control characters of the same number, as browsers do.
constexpr std::array<char32_t, 32> codePageHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t replacementCharacter = 0xFFFD;

// Reads one UTF-8 sequence at text[i]; returns its length, or 0 when it is not valid (overlong
// forms, surrogates and code points past U+10FFFF included).
std::size_t utf8Sequence(std::string_view text, std::size_t i, char32_t& codePoint)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool appendCodePageByte(std::string& out, char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        out += static_cast<char>(c);
        return true;
    }
    for (std::size_t k = 0; k < codePageHighControls.size(); ++k) {
        if (codePageHighControls[k] == c) {
            out += static_cast<char>(0x80 + k);
            return true;
        }
    }
    return false;
}

}  // namespace

bool isValidUtf8(std::string_view text)
{
    char32_t ignored;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = utf8Sequence(text, i, ignored);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

char32_t codePageToCodePoint(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? codePageHighControls[byte - 0x80] : byte;
}

std::u32string decodeText(std::string_view text, TextEncoding encoding)
{
    std::u32string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (encoding == TextEncoding::CodePage) {
            decoded += codePageToCodePoint(static_cast<unsigned char>(text[i++]));
            continue;
        }
        char32_t c;
        const std::size_t length = utf8Sequence(text, i, c);
        decoded += length ? c : replacementCharacter;
        i += length ? length : 1;
    }
    return decoded;
}

bool encodeText(std::u32string_view text, TextEncoding encoding, std::string& out)
{
    out.clear();
    out.reserve(text.size());
    for (char32_t c : text) {
        if (encoding == TextEncoding::Utf8) {
            appendUtf8(out, c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? replacementCharacter : c);
        } else if (!appendCodePageByte(out, c)) {
            return false;
        }
    }
    return true;
}

}  // namespace quillmap
