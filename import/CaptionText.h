#pragma once
#include <string>
#include <string_view>

#include "text/TextEncoding.h"

namespace quillmap {

// The longest caption an import makes, in characters; a longer title is cut and ends in "...".
inline constexpr std::size_t MaxImportedCaptionLength = 200;

// Runs of white space become one blank and both ends are trimmed, as browsers show a title.
std::u32string collapseWhiteSpace(std::u32string_view text);

// A file name or address segment made readable: the extension dropped (for files), '-' and '_'
// as blanks, the first letter capitalised ("opening-hours.html" becomes "Opening hours"). The
// bytes are UTF-8 when valid, otherwise the 8-bit code page.
std::u32string readableName(std::string_view name, bool isFile = true);

// A text made into a caption in the given encoding. White space is collapsed, control characters
// are dropped, and a text longer than MaxImportedCaptionLength is cut. Captions are HTML in the
// menu, so a '<' that would open a tag and an '&' that would start a reference are written as
// "&lt;" and "&amp;": the title shows as text. A character the encoding cannot hold becomes a
// numeric reference.
std::string captionText(std::u32string_view text, TextEncoding encoding);

}  // namespace quillmap
