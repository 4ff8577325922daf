#include "project/TreeExpansion.h"

namespace quillmap {

std::vector<int> ancestorsToExpand(const ItemTree& tree, int absoluteIndex)
{
    std::vector<int> indexes;
    const Node* item = tree.itemAt(absoluteIndex);
    if (!item) return indexes;
    for (const Node* p = item->parent(); p; p = p->parent()) {
        const int index = tree.absoluteIndex(p);
        if (index <= 0) break;
        indexes.push_back(index);
    }
    return indexes;
}

std::vector<Node*> itemsToExpandAfterLoad(const ItemTree& tree)
{
    // Every item in absolute-index order with the index of its parent (-1 at the top level).
    struct Entry {
        Node* item;
        int parent;
    };
    std::vector<Entry> items;
    items.reserve(tree.size());
    std::vector<Entry> stack;
    for (auto it = tree.topLevel().rbegin(); it != tree.topLevel().rend(); ++it) stack.push_back({it->get(), -1});
    while (!stack.empty()) {
        const Entry entry = stack.back();
        stack.pop_back();
        const int index = static_cast<int>(items.size());
        items.push_back(entry);
        const auto& children = entry.item->children();
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back({it->get(), index});
    }

    std::vector<Node*> order;
    if (items.empty()) return order;
    std::vector<bool> expanded(items.size(), false);
    const auto expand = [&](int k) {
        expanded[static_cast<std::size_t>(k)] = true;
        if (items[static_cast<std::size_t>(k)].item->childCount() > 0) order.push_back(items[static_cast<std::size_t>(k)].item);
    };
    expanded[0] = true;

    std::vector<int> ancestors;
    for (std::size_t k = 1; k < items.size(); ++k) {
        const Node* item = items[k].item;
        const TMyRec* record = item->record();
        if (item->isDocument() || !record || record->OpenState != "1") continue;
        // Every expanded item already has all its ancestors expanded, so the climb can stop at
        // the first expanded one; the root is expanded before this list.
        ancestors.clear();
        for (int p = items[k].parent; p > 0 && !expanded[static_cast<std::size_t>(p)]; p = items[static_cast<std::size_t>(p)].parent)
            ancestors.push_back(p);
        for (int p : ancestors) expand(p);
        if (!expanded[k]) expand(static_cast<int>(k));
    }
    return order;
}

}  // namespace quillmap
