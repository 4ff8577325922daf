#pragma once
// Most titles of a site repeat the site's name ("Tutorial — Python docs", "Shop | Café Anna"); a
// menu reads better without it.
#include <string>
#include <vector>

namespace quillmap {

struct TitleAffix {
    std::u32string ending;     // with its separator: " — Python docs"; empty when none is shared
    std::u32string beginning;  // with its separator: "Café Anna | "
};

// The ending and the beginning that more than half of the titles (and at least two) share,
// separated from the rest by a dash, en or em dash, '|', ':', '·', '•', '»' or '/' with a blank
// after it (and one before, but for ':').
TitleAffix sharedTitleAffix(const std::vector<std::u32string>& titles);

// The title without the affix; a title that is nothing but it stays as it is.
std::u32string withoutAffix(const std::u32string& title, const TitleAffix& affix);

}  // namespace quillmap
