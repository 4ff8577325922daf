// Windows has no iconv: its code pages convert the charsets pages declare, and UTF-16 is read here.
#include "import/SystemCharset.h"

#include <windows.h>

#include <cstring>
#include <utility>

#include "text/TextEncoding.h"

namespace quillmap {

namespace {

// The Windows code pages of the charset names (WHATWG's labels) that pages use.
unsigned codePageOf(const char* charset)
{
    static const std::pair<const char*, unsigned> names[] = {
        {"iso-8859-2", 28592},   {"iso8859-2", 28592},      {"latin2", 28592},        {"l2", 28592},
        {"iso-8859-3", 28593},   {"latin3", 28593},         {"iso-8859-4", 28594},    {"latin4", 28594},
        {"iso-8859-5", 28595},   {"cyrillic", 28595},       {"iso-8859-6", 28596},    {"arabic", 28596},
        {"iso-8859-7", 28597},   {"greek", 28597},          {"iso-8859-8", 28598},    {"hebrew", 28598},
        {"iso-8859-8-i", 38598}, {"iso-8859-9", 28599},     {"latin5", 28599},        {"iso-8859-13", 28603},
        {"iso-8859-15", 28605},  {"iso8859-15", 28605},     {"latin9", 28605},        {"l9", 28605},
        {"windows-1250", 1250},  {"cp1250", 1250},          {"windows-1251", 1251},   {"cp1251", 1251},
        {"windows-1253", 1253},  {"cp1253", 1253},          {"windows-1254", 1254},   {"cp1254", 1254},
        {"windows-1255", 1255},  {"cp1255", 1255},          {"windows-1256", 1256},   {"cp1256", 1256},
        {"windows-1257", 1257},  {"cp1257", 1257},          {"windows-1258", 1258},   {"cp1258", 1258},
        {"windows-874", 874},    {"tis-620", 874},          {"iso-8859-11", 874},     {"koi8-r", 20866},
        {"koi8", 20866},         {"koi8-u", 21866},         {"ibm866", 866},          {"cp866", 866},
        {"macintosh", 10000},    {"mac", 10000},            {"x-mac-roman", 10000},   {"x-mac-cyrillic", 10007},
        {"shift_jis", 932},      {"shift-jis", 932},        {"sjis", 932},            {"ms_kanji", 932},
        {"windows-31j", 932},    {"x-sjis", 932},           {"csshiftjis", 932},      {"euc-jp", 20932},
        {"iso-2022-jp", 50220},  {"gbk", 936},              {"gb2312", 936},          {"x-gbk", 936},
        {"cp936", 936},          {"gb18030", 54936},        {"big5", 950},            {"big5-hkscs", 950},
        {"cn-big5", 950},        {"euc-kr", 949},           {"ks_c_5601-1987", 949},  {"cp949", 949},
        {"windows-949", 949},
    };
    for (const auto& [name, codePage] : names)
        if (std::strcmp(name, charset) == 0) return codePage;
    return 0;
}

// UTF-16 as iconv reads it: an unpaired surrogate becomes U+FFFD, a last odd byte is dropped.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::wstring units(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]), second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    std::string out;
    encodeText(fromUtf16(units), TextEncoding::Utf8, out);
    return out;
}

}  // namespace

std::optional<std::string> convertWithSystem(std::string_view bytes, const char* charset)
{
    if (std::strcmp(charset, "UTF-16LE") == 0) return utf16ToUtf8(bytes, false);
    if (std::strcmp(charset, "UTF-16BE") == 0) return utf16ToUtf8(bytes, true);
    const unsigned codePage = codePageOf(charset);
    if (codePage == 0 || !IsValidCodePage(codePage)) return std::nullopt;
    std::string out;
    encodeText(decodeCodePage(bytes, codePage), TextEncoding::Utf8, out);
    return out;
}

}  // namespace quillmap
