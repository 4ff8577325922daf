#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

#include "tree/ItemTree.h"

namespace quillmap {

// Rebuilds a tree from outline lines lines[begin, end): each line's leading TABs and blanks give
// its level, the rest is the caption (trailing blanks kept). The first line is a top-level item
// whatever its indentation. The tree is emptied first. Every item placed gets an empty TMyRec,
// also when a line indented more than one level deeper than the one before ends the load with
// "Invalid level (%d) for item "%s""; the items placed before that line stay.
void LoadTreeOutline(const std::vector<std::string_view>& lines, std::size_t begin, std::size_t end, ItemTree& tree);

}  // namespace quillmap
