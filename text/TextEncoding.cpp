#include "text/TextEncoding.h"

#include <array>

#ifdef _WIN32
#include <windows.h>
#endif

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

#ifdef _WIN32

// Returns false for a code point UTF-16 cannot hold.
bool toUtf16(std::u32string_view text, std::wstring& out)
{
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        if (c >= 0x10000) {
            out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<wchar_t>(c);
        }
    }
    return true;
}

std::u32string decodeWithSystem(std::string_view text, unsigned codePage)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length == 0 || MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length) != length)
        return std::u32string(text.size(), replacementCharacter);
    return fromUtf16(wide);
}

bool encodeWithSystem(std::u32string_view text, unsigned codePage, std::string& out)
{
    std::wstring wide;
    if (!toUtf16(text, wide)) return false;
    if (wide.empty()) return true;
    // A character the code page lacks must not turn into a look-alike or a question mark.
    const int size = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    const int length =
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &lossy);
    if (length == 0 || lossy) return false;
    out.resize(static_cast<std::size_t>(length));
    return WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), length, nullptr,
                               &lossy) == length &&
           !lossy;
}

#endif

}  // namespace

#ifdef _WIN32
std::u32string fromUtf16(std::wstring_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out += 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else {
            out += c >= 0xD800 && c <= 0xDFFF ? replacementCharacter : c;
        }
    }
    return out;
}
#endif

unsigned eightBitCodePage()
{
#ifdef _WIN32
    // GetACP() answers 65001 in a process whose manifest asks for UTF-8; the files still come
    // from the system's ANSI code page.
    static const unsigned codePage = [] {
        DWORD number = 0;
        if (GetLocaleInfoEx(LOCALE_NAME_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                            reinterpret_cast<LPWSTR>(&number), sizeof(number) / sizeof(wchar_t)) == 0 ||
            number == 0 || number == CP_UTF8)
            number = GetACP();
        return number == 0 || number == CP_UTF8 ? Windows1252 : static_cast<unsigned>(number);
    }();
    return codePage;
#else
    return Windows1252;
#endif
}

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

std::u32string decodeCodePage(std::string_view text, unsigned codePage)
{
#ifdef _WIN32
    if (codePage != Windows1252) return decodeWithSystem(text, codePage);
#else
    (void)codePage;
#endif
    std::u32string decoded;
    decoded.reserve(text.size());
    for (char byte : text) decoded += codePageToCodePoint(static_cast<unsigned char>(byte));
    return decoded;
}

bool encodeCodePage(std::u32string_view text, unsigned codePage, std::string& out)
{
    out.clear();
#ifdef _WIN32
    if (codePage != Windows1252) return encodeWithSystem(text, codePage, out);
#else
    (void)codePage;
#endif
    out.reserve(text.size());
    for (char32_t c : text)
        if (!appendCodePageByte(out, c)) return false;
    return true;
}

std::u32string decodeText(std::string_view text, TextEncoding encoding)
{
    if (encoding == TextEncoding::CodePage) return decodeCodePage(text, eightBitCodePage());
    std::u32string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c;
        const std::size_t length = utf8Sequence(text, i, c);
        decoded += length ? c : replacementCharacter;
        i += length ? length : 1;
    }
    return decoded;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = replacementCharacter;
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

bool encodeText(std::u32string_view text, TextEncoding encoding, std::string& out)
{
    if (encoding == TextEncoding::CodePage) return encodeCodePage(text, eightBitCodePage(), out);
    out.clear();
    out.reserve(text.size());
    for (char32_t c : text) appendUtf8(out, c);
    return true;
}

}  // namespace quillmap
