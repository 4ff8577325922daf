// Moving items by dragging them inside Tree2: onto a folder to become its last child, onto a
// document to go just before it; onto the upper or lower edge of a row to go between items.
#include "tree/DropRules.h"
#include "tree/ItemCommands.h"
#include "tree/PropertiesPanel.h"
#include "tree/Tree2View.h"

namespace quillmap {

void ItemCommands::Tree2DragDrop(QPoint position, DropSpot spot)
{
    const QModelIndex under = w_.Tree2->indexAt(position);
    Node* target = document_.model().nodeOf(under);
    const DropDecision drop = decideDropAt(selectedNode(), target, spot, w_.Tree2->isExpanded(under));
    MovePlan plan;
    switch (drop.kind) {
    case DropKind::Ignore:
        return;
    case DropKind::Refuse:
        platform_.beeper.beep();
        platform_.prompts.message(QString::fromStdString(messages_.byNumber(drop.refusalMessage)));
        return;
    case DropKind::Unchanged:
        break;
    case DropKind::MoveBefore:
    case DropKind::MoveToEnd:
        if (planMove(drop, plan)) document_.model().moveItem(plan);
        break;
    case DropKind::MoveInto:
        if (planMove(drop, plan)) document_.model().moveItemAsNew(plan);
        w_.Tree2->expand(document_.model().indexOf(target));
        break;
    }
    // The moved item stays selected, as after a move by keyboard.
    if (plan.node) selectNode(plan.node);
    // Only a real move is a change: the history marks the project unsaved, and undo clears it.
    if (plan.node && !plan.returnsToSamePlace()) document_.recordMovedItem(plan.node, plan.fromParent, plan.fromRow);
    if (Node* selected = selectedNode())
        properties_.ShowItemProperties(document_.tree().absoluteIndex(selected));
    else
        properties_.showNoItem();
}

}  // namespace quillmap
