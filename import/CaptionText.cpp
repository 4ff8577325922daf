#include "import/CaptionText.h"

namespace quillmap {

namespace {

bool isWhiteSpace(char32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }
bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029; }
bool isAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char32_t c) { return c >= '0' && c <= '9'; }

// Whether the character at i would be read as the start of markup rather than as text.
bool opensMarkup(std::u32string_view text, std::size_t i)
{
    const char32_t next = i + 1 < text.size() ? text[i + 1] : 0;
    if (text[i] == '<') return isAsciiLetter(next) || next == '/' || next == '!' || next == '?';
    if (text[i] == '&') return isAsciiLetter(next) || isAsciiDigit(next) || next == '#';
    return false;
}

void appendEncoded(std::string& out, char32_t c, TextEncoding encoding)
{
    std::string bytes;
    if (encodeText(std::u32string_view(&c, 1), encoding, bytes))
        out += bytes;
    else
        out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
}

}  // namespace

std::u32string collapseWhiteSpace(std::u32string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (const char32_t c : text) {
        if (isWhiteSpace(c)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) out += U' ';
        pendingBlank = false;
        out += c;
    }
    return out;
}

std::u32string readableName(std::string_view bytes, bool isFile)
{
    const std::size_t dot = bytes.rfind('.');
    if (isFile && dot != std::string_view::npos && dot > 0) bytes = bytes.substr(0, dot);
    std::u32string name = decodeText(bytes, detectEncoding(bytes));
    for (char32_t& c : name)
        if (c == '-' || c == '_') c = ' ';
    name = collapseWhiteSpace(name);
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = name[0] - 'a' + 'A';
    return name;
}

std::string captionText(std::u32string_view text, TextEncoding encoding)
{
    std::u32string clean;
    clean.reserve(text.size());
    for (const char32_t c : text)
        if (isWhiteSpace(c) || !isControl(c)) clean += c;
    clean = collapseWhiteSpace(clean);
    if (clean.size() > MaxImportedCaptionLength) {
        clean.resize(MaxImportedCaptionLength - 3);
        while (!clean.empty() && clean.back() == ' ') clean.pop_back();
        clean += U"...";
    }
    std::string out;
    out.reserve(clean.size());
    for (std::size_t i = 0; i < clean.size(); ++i) {
        if (opensMarkup(clean, i))
            out += clean[i] == '<' ? "&lt;" : "&amp;";
        else
            appendEncoded(out, clean[i], encoding);
    }
    return out;
}

}  // namespace quillmap
