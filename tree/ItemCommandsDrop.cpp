// Moving items by dragging them inside Tree2: onto a folder to become its last child, onto a
// document to go just before it.
#include "tree/DropRules.h"
#include "tree/ItemCommands.h"
#include "tree/PropertiesPanel.h"
#include "tree/Tree2View.h"

namespace quillmap {

void ItemCommands::Tree2DragDrop(QPoint position)
{
    Node* target = document_.model().nodeOf(w_.Tree2->indexAt(position));
    const DropDecision drop = decideDrop(selectedNode(), target);
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
        if (planMove(drop, plan)) document_.model().moveItem(plan);
        break;
    case DropKind::MoveInto:
        if (planMove(drop, plan)) document_.model().moveItemAsNew(plan);
        w_.Tree2->expand(document_.model().indexOf(target));
        w_.Tree2->selectCurrentRow();
        break;
    }
    if (plan.node && !plan.returnsToSamePlace()) document_.recordMovedItem(plan.node, plan.fromParent, plan.fromRow);
    document_.SetSaved(false);
    if (Node* selected = selectedNode())
        properties_.ShowItemProperties(document_.tree().absoluteIndex(selected));
    else
        properties_.emptyCaptionAndLink();
}

}  // namespace quillmap
