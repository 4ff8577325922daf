#include "tree/ItemPlacement.h"

namespace quillmap {

Placement placeNewFolder(const ItemTree& tree, Node* selected, const NewItemCaptions& captions)
{
    if (selected) {
        // A document passes the new folder on to its parent (or the top level); a folder takes it.
        Node* parent = selected->isDocument() ? selected->parent() : selected;
        return {parent, captions.newFolder};
    }
    if (tree.empty()) return {nullptr, captions.rootFolder};
    return {tree.root(), UnselectedFolderCaption};
}

std::optional<Placement> placeNewDocument(Node* selected, const NewItemCaptions& captions)
{
    if (!selected) return std::nullopt;
    Node* parent = selected->isDocument() && selected->parent() ? selected->parent() : selected;
    return Placement{parent, captions.newDocument};
}

}  // namespace quillmap
