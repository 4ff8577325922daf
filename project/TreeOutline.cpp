#include "project/TreeOutline.h"

#include <algorithm>

#include "app/Error.h"

namespace quillmap {

namespace {

void attachEmptyRecords(ItemTree& tree)
{
    tree.forEach([](Node* item, int) { item->setRecord(std::make_unique<TMyRec>()); });
}

void placeLines(const Lines& lines, std::size_t begin, std::size_t end, ItemTree& tree)
{
    Node* previous = nullptr;
    std::size_t previousLevel = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const std::string& line = lines[i];
        const std::size_t depth = std::min(line.find_first_not_of("\t "), line.size());
        std::string caption = line.substr(depth);
        if (!previous) {
            previous = tree.append(nullptr, std::move(caption), ClosedFolderImage);
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
        previous = tree.append(parent, std::move(caption), ClosedFolderImage);
        previousLevel = depth;
    }
}

}  // namespace

void LoadTreeOutline(const Lines& lines, std::size_t begin, std::size_t end, ItemTree& tree)
{
    tree.clear();
    try {
        placeLines(lines, begin, end, tree);
    } catch (...) {
        attachEmptyRecords(tree);
        throw;
    }
    attachEmptyRecords(tree);
}

}  // namespace quillmap
