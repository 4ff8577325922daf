#include "tree/DropRules.h"

namespace quillmap {

DropDecision decideDrop(Node* dragged, Node* target)
{
    DropDecision d{DropKind::Ignore, dragged, target, 0};
    if (!target || !dragged) return d;

    if (target->isDocument()) {
        d.kind = ItemTree::isAncestorOf(dragged, target) ? DropKind::Unchanged : DropKind::MoveBefore;
        return d;
    }

    d.kind = DropKind::Refuse;
    if (target == dragged || target == dragged->parent())
        d.refusalMessage = SameNodeMessage;
    else if (!dragged->parent())
        d.refusalMessage = RootDraggedMessage;
    else if (ItemTree::isAncestorOf(dragged, target))
        d.refusalMessage = ParentOntoChildMessage;
    else
        d.kind = DropKind::MoveInto;
    return d;
}

bool planMove(const DropDecision& decision, MovePlan& plan)
{
    Node* node = decision.dragged;
    Node* target = decision.target;
    switch (decision.kind) {
    case DropKind::MoveBefore: {
        plan = {node, node->parent(), node->row(), target->parent(), target->row(), target->row()};
        // Leaving first shifts the target up by one when both share a parent and the node came before.
        if (plan.fromParent == plan.toParent && plan.fromRow < plan.toRow) --plan.toRow;
        return true;
    }
    case DropKind::MoveInto: {
        const bool sameParent = node->parent() == target;  // refused, but keep the arithmetic sound
        plan = {node, node->parent(), node->row(), target, target->childCount() - (sameParent ? 1 : 0),
                target->childCount()};
        return true;
    }
    default:
        return false;
    }
}

Node* applyMove(ItemTree& tree, const MovePlan& plan)
{
    return tree.insert(plan.toParent, plan.toRow, tree.detach(plan.node));
}

Node* MoveSubtree(ItemTree& tree, Node* source, Node* target)
{
    if (!source || !target || ItemTree::isAncestorOf(source, target)) return nullptr;
    MovePlan plan;
    planMove({DropKind::MoveInto, source, target, 0}, plan);
    return applyMove(tree, plan);
}

}  // namespace quillmap
