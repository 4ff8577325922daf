#pragma once
#include <string>
#include <string_view>
#include <unordered_set>

namespace quillmap {

// The places a link's #fragment can name in a page: the id of every element and the name of
// every <a>, as UTF-8. A page that is not valid UTF-8 is read in the 8-bit code page.
std::unordered_set<std::string> pageAnchors(std::string_view page);

}  // namespace quillmap
