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

DropDecision decideDropAt(Node* dragged, Node* target, DropSpot spot, bool targetOpen)
{
    if (spot == DropSpot::On || !dragged || !target || !target->parent()) return decideDrop(dragged, target);
    Node* before = target;
    Node* endOf = nullptr;
    if (spot == DropSpot::Below) {
        if (!target->isDocument() && targetOpen && target->childCount() > 0) {
            before = target->child(0);
        } else {
            before = target->nextSibling();
            if (!before) endOf = target->parent();
        }
    }
    if (before == dragged) return {DropKind::Unchanged, dragged, target, 0};
    if (!dragged->parent()) return {DropKind::Refuse, dragged, target, RootDraggedMessage};
    if (ItemTree::isAncestorOf(dragged, before ? before : endOf))
        return {DropKind::Refuse, dragged, target, ParentOntoChildMessage};
    if (before) return {DropKind::MoveBefore, dragged, before, 0};
    return {DropKind::MoveToEnd, dragged, endOf, 0};
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
    case DropKind::MoveInto:
    case DropKind::MoveToEnd: {
        const bool sameParent = node->parent() == target;
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
