#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quillmap {

// How a page's bytes are to be read, from its byte order mark or its declared charset.
enum class PageEncoding { Unknown, Utf8, CodePage, Utf16LE, Utf16BE, Other };

struct PageCharset {
    PageEncoding encoding = PageEncoding::Unknown;
    std::string label;  // for Other: the declared name, lower case
};

// The encoding named by a charset label, as browsers read the labels: the Latin-1 and ASCII
// names mean the 8-bit code page, and a page cannot declare UTF-16 in its markup (that label
// means UTF-8). An empty label is Unknown.
PageCharset charsetFromLabel(std::string_view label);

// The charset named in the content of a meta http-equiv="Content-Type" ("text/html;
// charset=ISO-8859-1"); empty when there is none.
std::string charsetInContentType(std::string_view content);

// The encoding a byte order mark at the start of bytes states; Unknown without one. bomLength
// receives the mark's length.
PageEncoding encodingOfByteOrderMark(std::string_view bytes, std::size_t& bomLength);

// The bytes converted to UTF-8; a sequence the charset does not allow becomes U+FFFD, an
// incomplete one at the end is dropped. Empty when the system knows no such charset.
std::optional<std::string> convertToUtf8(std::string_view bytes, const PageCharset& charset);

}  // namespace quillmap
