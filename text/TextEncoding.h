#pragma once
#include <string>
#include <string_view>

namespace quillmap {

// The two encodings of Quillmap's 8-bit text files. A file is UTF-8 when the whole file is valid
// UTF-8; otherwise it is in the 8-bit code page such files come from: on Windows the system's ANSI
// code page, elsewhere Windows-1252 as browsers define it.
enum class TextEncoding { Utf8, CodePage };

inline constexpr unsigned Windows1252 = 1252;
// The code page of TextEncoding::CodePage: on Windows the ANSI code page of the system, even when
// the process itself runs with UTF-8 as its code page; Windows-1252 elsewhere.
unsigned eightBitCodePage();

bool isValidUtf8(std::string_view text);
inline TextEncoding detectEncoding(std::string_view wholeFile)
{
    return isValidUtf8(wholeFile) ? TextEncoding::Utf8 : TextEncoding::CodePage;
}

// The code point of one byte of Windows-1252.
char32_t codePageToCodePoint(unsigned char byte);

// Decodes a text as the given encoding; an invalid UTF-8 sequence becomes U+FFFD.
std::u32string decodeText(std::string_view text, TextEncoding encoding);

// Encodes code points into out; returns false, leaving out unspecified, when the 8-bit code page
// cannot hold one of them. UTF-8 always succeeds.
bool encodeText(std::u32string_view text, TextEncoding encoding, std::string& out);
// Appends one code point as UTF-8; one UTF-8 cannot hold (a surrogate, beyond U+10FFFF) becomes
// the replacement character U+FFFD.
void appendUtf8(std::string& out, char32_t c);

// The same for a given code page: Windows-1252 everywhere, any other one the system knows on
// Windows. A byte sequence the code page does not define decodes to a replacement character.
std::u32string decodeCodePage(std::string_view text, unsigned codePage);
bool encodeCodePage(std::u32string_view text, unsigned codePage, std::string& out);

#ifdef _WIN32
// UTF-16 code units (Windows' wide text) as code points: a pair of surrogates makes one, a
// surrogate left alone becomes the replacement character U+FFFD.
std::u32string fromUtf16(std::wstring_view text);
#endif

}  // namespace quillmap
