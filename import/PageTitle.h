#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quillmap {

// What the start of a page says about its title.
struct TitleScan {
    // The text of the page's first <title>, references decoded, white space collapsed, in the
    // page's declared charset (byte order mark, <meta charset> or http-equiv Content-Type; pages
    // that declare none are read as UTF-8 when their title is valid UTF-8, otherwise in the 8-bit
    // code page). Empty when the page has no title or an empty one.
    std::optional<std::u32string> title;
    // The bytes were not the whole page, and the title may go on past them (it is still open, or
    // the head is still open and no title has come yet), or a charset may still come within the
    // first CharsetBytes for a title that is not plain ASCII.
    bool wantsMore = false;
    // NUL bytes without a UTF-16 byte order mark: not a text page.
    bool binary = false;
};

// Browsers look for a page's declared charset in its first 1,024 bytes.
inline constexpr std::size_t CharsetBytes = 1024;

// Reads the title from the first bytes of a page; wholePage says whether they are all of it.
TitleScan scanPageTitle(std::string_view bytes, bool wholePage);

}  // namespace quillmap
