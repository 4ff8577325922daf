#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace quillmap {

// Turns a file dialog filter written as "Description|pattern;pattern|Description|pattern" into
// one entry per choice in the form the toolkit's dialogs read, "Description (pattern pattern)".
// A description that already ends with its own patterns in parentheses is kept as it is.
std::vector<std::string> nameFilters(std::string_view filter);

}  // namespace quillmap
