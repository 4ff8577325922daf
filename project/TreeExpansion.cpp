#include "project/TreeExpansion.h"

#include <unordered_map>

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
    std::vector<Node*> order;
    const std::vector<Node*> items = tree.preorder();
    if (items.empty()) return order;

    std::unordered_map<const Node*, bool> expanded;
    expanded.reserve(items.size());
    const auto expand = [&](Node* item) {
        expanded[item] = true;
        if (item->childCount() > 0) order.push_back(item);
    };
    expand(items.front());

    std::vector<Node*> ancestors;
    for (std::size_t k = 1; k < items.size(); ++k) {
        Node* item = items[k];
        const TMyRec* record = item->record();
        if (item->isDocument() || !record || record->OpenState != "1") continue;
        // Every expanded item already has all its ancestors expanded, so the climb can stop at
        // the first expanded one; the root counts as expanded from the start.
        ancestors.clear();
        for (Node* p = item->parent(); p && !expanded[p]; p = p->parent()) ancestors.push_back(p);
        for (Node* p : ancestors) expand(p);
        if (!expanded[item]) expand(item);
    }
    return order;
}

}  // namespace quillmap
