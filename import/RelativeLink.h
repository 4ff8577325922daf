#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quillmap {

// A path segment written for a link: bytes other than letters, digits and "-._~!$&'()*+,;=:@"
// become %XX, so a blank, '#', '?', '%' or a non-ASCII letter in a file name cannot break the
// link, and the link is plain ASCII in a project of any encoding.
std::string encodeLinkSegment(std::string_view segment);

// The %XX escapes of an address segment decoded; a '%' without two hexadecimal digits stays.
std::string decodeLinkSegment(std::string_view segment);

// The link from the base folder to folder, as encoded segments each followed by '/': empty when
// folder is the base, "../" segments when it lies outside. Both paths are absolute and normal.
std::string folderLinkPrefix(const std::filesystem::path& base, const std::filesystem::path& folder);

// A relative link as browsers must read it: when its first segment (up to the first '/', '?' or
// '#') holds a ':', it would be taken for a scheme ("javascript:...", "Help:Contents.html"), so
// "./" goes in front. Other links come back as they are.
std::string relativeLinkText(std::string link);

// The link from a page in folder to file, written as the import writes links
// ("about/our%20team.html"); empty when the file does not lie inside folder. Both paths are
// absolute.
std::optional<std::string> linkInsideFolder(const std::filesystem::path& file, const std::filesystem::path& folder);

}  // namespace quillmap
