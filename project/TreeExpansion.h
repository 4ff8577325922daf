#pragma once
#include <vector>

#include "tree/ItemTree.h"

namespace quillmap {

// The absolute indexes of the ancestors of the item at absoluteIndex that ExpandAncestors opens:
// nearest first, stopping before index 0 (the root is never expanded here). Empty for a
// top-level item or an index out of range.
std::vector<int> ancestorsToExpand(const ItemTree& tree, int absoluteIndex);

// The items a loaded project expands after the root (which the loader expands first by itself):
// for every later folder (image index not 2) whose OpenState is exactly "1", in ascending absolute
// index, its ancestors nearest first and then the folder itself. Items without children are left
// out (expanding them changes nothing), and so is an item already expanded, so the list holds
// each item once and the whole walk stays linear.
std::vector<Node*> itemsToExpandAfterLoad(const ItemTree& tree);

}  // namespace quillmap
