#pragma once
// Changes of the tree's shape: an item (with its subtree) added, removed or moved. They hold
// node addresses: the history is linear, so whenever one of them is undone or redone the tree
// is exactly as it was right after (or before) the change, with the same nodes.
#include <cstddef>
#include <functional>
#include <memory>

#include "tree/TreeModel.h"
#include "undo/ProjectChange.h"

namespace quillmap {

// Shows the item a change touched: selects it and loads the Properties panel. Null: the item
// is gone; whatever the tree now selects is shown.
using ShowItem = std::function<void(Node*)>;

// An item that is in the tree after the change and was not before (Added), or the other way
// round (Removed). Out of the tree, the item and its subtree belong to this change.
class ItemPresenceChange : public ProjectChange {
public:
    enum class Kind { Added, Removed };

    // Added: node is in the tree now. Removed: node has just been taken out of it, from row of
    // parent (null: the top level).
    static ItemPresenceChange* added(TreeModel& model, Node* node, ShowItem show);
    static ItemPresenceChange* removed(TreeModel& model, Node* parent, std::size_t row, std::unique_ptr<Node> node,
                                       ShowItem show);
    ~ItemPresenceChange() override;

    void undo() override;

protected:
    void redoChange() override;

private:
    ItemPresenceChange(Kind kind, TreeModel& model, Node* node, ShowItem show);
    void putIn();
    void takeOut();

    Kind kind_;
    TreeModel& model_;
    Node* node_;
    Node* parent_ = nullptr;
    std::size_t row_ = 0;
    std::unique_ptr<Node> held_;
    ShowItem show_;
};

// An item moved with its subtree from one place to another.
class ItemMove : public ProjectChange {
public:
    // node has just moved away from row of fromParent (null: the top level).
    ItemMove(TreeModel& model, Node* node, Node* fromParent, std::size_t fromRow, ShowItem show);

    void undo() override { moveTo(fromParent_, fromRow_); }

protected:
    void redoChange() override { moveTo(toParent_, toRow_); }

private:
    void moveTo(Node* parent, std::size_t row);

    TreeModel& model_;
    Node* node_;
    Node* fromParent_;
    std::size_t fromRow_;
    Node* toParent_;
    std::size_t toRow_;
    ShowItem show_;
};

}  // namespace quillmap
