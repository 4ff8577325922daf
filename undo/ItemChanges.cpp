#include "undo/ItemChanges.h"

namespace quillmap {

ItemPresenceChange::ItemPresenceChange(Kind kind, TreeModel& model, Node* node, ShowItem show)
    : kind_(kind), model_(model), node_(node), show_(std::move(show))
{
}

ItemPresenceChange* ItemPresenceChange::added(TreeModel& model, Node* node, ShowItem show)
{
    auto* change = new ItemPresenceChange(Kind::Added, model, node, std::move(show));
    change->parent_ = node->parent();
    change->row_ = node->row();
    return change;
}

ItemPresenceChange* ItemPresenceChange::removed(TreeModel& model, Node* parent, std::size_t row,
                                                std::unique_ptr<Node> node, ShowItem show)
{
    auto* change = new ItemPresenceChange(Kind::Removed, model, node.get(), std::move(show));
    change->parent_ = parent;
    change->row_ = row;
    change->held_ = std::move(node);
    return change;
}

ItemPresenceChange::~ItemPresenceChange() { ItemTree::destroy(std::move(held_)); }

void ItemPresenceChange::undo() { kind_ == Kind::Added ? takeOut() : putIn(); }

void ItemPresenceChange::redoChange() { kind_ == Kind::Added ? putIn() : takeOut(); }

void ItemPresenceChange::putIn()
{
    model_.insertItem(parent_, row_, std::move(held_));
    show_(node_);
}

void ItemPresenceChange::takeOut()
{
    held_ = model_.takeItem(node_);
    show_(nullptr);
}

ItemMove::ItemMove(TreeModel& model, Node* node, Node* fromParent, std::size_t fromRow, ShowItem show)
    : model_(model), node_(node), fromParent_(fromParent), fromRow_(fromRow), toParent_(node->parent()),
      toRow_(node->row()), show_(std::move(show))
{
}

void ItemMove::moveTo(Node* parent, std::size_t row)
{
    MovePlan plan{node_, node_->parent(), node_->row(), parent, row, row};
    // The view counts the destination row before the item leaves its old place.
    if (plan.fromParent == plan.toParent && plan.toRow > plan.fromRow) ++plan.rowBeforeLeaving;
    model_.moveItem(plan);
    show_(node_);
}

}  // namespace quillmap
