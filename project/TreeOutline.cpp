#include "project/TreeOutline.h"

#include <algorithm>

#include "text/Error.h"

namespace quillmap {

namespace {

// Every item gets its empty record as it is placed, so the items placed before a bad line carry
// one too.
void placeLines(const std::vector<std::string_view>& lines, std::size_t begin, std::size_t end, ItemTree& tree)
{
    Node* previous = nullptr;
    std::size_t previousLevel = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const std::string_view line = lines[i];
        const std::size_t depth = std::min(line.find_first_not_of("\t "), line.size());
        std::string caption(line.substr(depth));
        if (!previous) {
            previous = tree.append(nullptr, std::move(caption), ClosedFolderImage, std::make_unique<TMyRec>());
            previousLevel = 0;
            continue;
        }
        if (depth > previousLevel + 1) {
            throw Error("Invalid level (" + std::to_string(depth) + ") for item \"" + caption + "\"");
        }
        Node* parent;
        if (depth == previousLevel + 1) {
            parent = previous;
        } else {
            // Climb from the previous item to its ancestor at the new item's level; the new item
            // becomes that ancestor's next sibling.
            Node* sibling = previous;
            for (std::size_t level = previousLevel; level > depth; --level) sibling = sibling->parent();
            parent = sibling->parent();
        }
        previous = tree.append(parent, std::move(caption), ClosedFolderImage, std::make_unique<TMyRec>());
        previousLevel = depth;
    }
}

}  // namespace

void LoadTreeOutline(const std::vector<std::string_view>& lines, std::size_t begin, std::size_t end, ItemTree& tree)
{
    tree.clear();
    placeLines(lines, begin, end, tree);
}

}  // namespace quillmap
