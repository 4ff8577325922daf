#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quillmap {

// Bytes in a charset named by its IANA name (as pages declare it, lower case, or UTF-16LE and
// UTF-16BE) converted to UTF-8 by the system's own converters: a sequence the charset does not
// allow becomes U+FFFD, an incomplete one at the end is dropped. Empty when the system knows no
// such charset.
std::optional<std::string> convertWithSystem(std::string_view bytes, const char* charset);

}  // namespace quillmap
