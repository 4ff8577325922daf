#pragma once
#include <string_view>

namespace quillmap {

// The order people expect of names: runs of digits compare by their value ("page2" before
// "page10"), letters compare without regard to ASCII case; names equal in that sense fall back
// to their bytes, so the order is total.
bool naturalLess(std::string_view a, std::string_view b);

}  // namespace quillmap
