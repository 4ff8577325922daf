#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/ImportReport.h"
#include "import/SiteOutline.h"

namespace quillmap {

// An http(s) address, or a path from the site's root ("/a/b.html").
struct WebAddress {
    std::string host;                   // lower case; empty for a bare path
    std::vector<std::string> segments;  // decoded, without empty, "." and ".." segments
    bool folder = false;                // the path ends with '/' (or is empty)
    std::string query;                  // from '?' on, kept in the link (odd bytes as %XX)
};

// Empty for anything else (mailto:, ftp:, a relative path, ...).
std::optional<WebAddress> parseWebAddress(std::string_view address);

// Addresses with more path segments are left out of an outline: a menu that deep helps no one,
// and each segment is a folder that spells out the path above it.
inline constexpr std::size_t MaxAddressDepth = 100;

// The outline of a sitemap's addresses: one folder per path segment that has pages below it, one
// page per address. siteRoot is the local folder of the site's root address: links run from base
// to it. When readTitles is set, captions come from the pages found there.
SiteOutline outlineFromAddresses(const std::vector<std::string>& addresses, const std::filesystem::path& siteRoot,
                                 const std::filesystem::path& base, bool readTitles, ImportReport& report);

}  // namespace quillmap
