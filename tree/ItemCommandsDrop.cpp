// Moving items by dragging them inside Tree2: onto a folder to become its last child, onto a
// document to go just before it.
#include "app/TForm1.h"
#include "tree/DropRules.h"

namespace quillmap {

void TForm1::connectDragDropHandlers()
{
    connect(Tree2, &Tree2View::dropped, this, [this](QPoint at) { guard([&] { Tree2DragDrop(at); }); });
}

void TForm1::Tree2DragDrop(QPoint position)
{
    Node* target = model_->nodeOf(Tree2->indexAt(position));
    const DropDecision drop = decideDrop(selectedNode(), target);
    MovePlan plan;
    switch (drop.kind) {
    case DropKind::Ignore:
        return;
    case DropKind::Refuse:
        platform_.beeper.beep();
        platform_.prompts.message(QString::fromStdString(messages.byNumber(drop.refusalMessage)));
        return;
    case DropKind::Unchanged:
        break;
    case DropKind::MoveBefore:
        if (planMove(drop, plan)) model_->moveItem(plan);
        break;
    case DropKind::MoveInto:
        if (planMove(drop, plan)) model_->moveItemAsNew(plan);
        Tree2->expand(model_->indexOf(target));
        selectCurrentRow();
        break;
    }
    if (plan.node && !plan.returnsToSamePlace()) recordMovedItem(plan.node, plan.fromParent, plan.fromRow);
    SetSaved(false);
    if (Node* selected = selectedNode())
        ShowItemProperties(tree().absoluteIndex(selected));
    else
        emptyCaptionAndLink();
}

}  // namespace quillmap
