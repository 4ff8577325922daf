#include "import/PageCharset.h"

#include "text/TextEncoding.h"
#include "import/AsciiText.h"
#include "import/SystemCharset.h"

namespace quillmap {

namespace {

std::string lowerTrimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return asciiLower(text);
}

bool isOneOf(const std::string& label, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (label == name) return true;
    return false;
}

}  // namespace

PageCharset charsetFromLabel(std::string_view rawLabel)
{
    const std::string label = lowerTrimmed(rawLabel);
    if (label.empty()) return {};
    if (isOneOf(label, {"utf-8", "utf8", "unicode-1-1-utf-8", "unicode11utf8", "unicode20utf8", "x-unicode20utf8",
                        "utf-16", "utf-16le", "utf-16be", "unicode", "ucs-2", "unicodefffe", "csunicode",
                        "iso-10646-ucs-2", "unicodefeff"}))
        return {PageEncoding::Utf8, label};
    // Browsers too read Latin-1 and ASCII as the code page.
    if (isOneOf(label, {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "iso88591", "iso_8859-1",
                        "iso_8859-1:1987", "iso-ir-100", "latin1", "l1", "csisolatin1", "ibm819", "cp819",
                        "us-ascii", "ascii", "ansi_x3.4-1968"}))
        return {PageEncoding::CodePage, label};
    return {PageEncoding::Other, label};
}

std::string charsetInContentType(std::string_view content)
{
    const std::string lower = lowerTrimmed(content);
    std::size_t at = 0;
    while ((at = lower.find("charset", at)) != std::string::npos) {
        std::size_t i = at + 7;
        while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t')) ++i;
        if (i >= lower.size() || lower[i] != '=') {
            at = i;
            continue;
        }
        ++i;
        while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t')) ++i;
        if (i < lower.size() && (lower[i] == '"' || lower[i] == '\'')) {
            const char quote = lower[i++];
            const std::size_t end = lower.find(quote, i);
            if (end == std::string::npos) return {};
            return lower.substr(i, end - i);
        }
        std::size_t end = i;
        while (end < lower.size() && lower[end] != ';' && lower[end] != ' ' && lower[end] != '\t') ++end;
        return lower.substr(i, end - i);
    }
    return {};
}

PageEncoding encodingOfByteOrderMark(std::string_view bytes, std::size_t& bomLength)
{
    bomLength = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return bomLength = 3, PageEncoding::Utf8;
    if (bytes.substr(0, 2) == "\xFF\xFE") return bomLength = 2, PageEncoding::Utf16LE;
    if (bytes.substr(0, 2) == "\xFE\xFF") return bomLength = 2, PageEncoding::Utf16BE;
    return PageEncoding::Unknown;
}

std::optional<std::string> convertToUtf8(std::string_view bytes, const PageCharset& charset)
{
    switch (charset.encoding) {
    case PageEncoding::Unknown:
    case PageEncoding::Utf8:
        return std::string(bytes);
    case PageEncoding::CodePage: {
        std::string out;
        encodeText(decodeCodePage(bytes, Windows1252), TextEncoding::Utf8, out);
        return out;
    }
    case PageEncoding::Utf16LE:
        return convertWithSystem(bytes, "UTF-16LE");
    case PageEncoding::Utf16BE:
        return convertWithSystem(bytes, "UTF-16BE");
    case PageEncoding::Other:
        return convertWithSystem(bytes, charset.label.c_str());
    }
    return std::nullopt;
}

}  // namespace quillmap
