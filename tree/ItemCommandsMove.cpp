// Moving items without the mouse: one step up, down, out of the folder or into the folder above
// (Alt with the arrow keys), and Cut and Paste of an item with everything below it. Each move is
// one step of the history. The keys work while the tree has the focus, so the text boxes and the
// tree's caption editor keep their own Ctrl+X and Ctrl+V.
#include <QAction>

#include "shell/EventGuard.h"
#include "tree/ItemCommands.h"
#include "tree/PropertiesPanel.h"
#include "tree/Tree2View.h"

namespace quillmap {

void ItemCommands::setUpMoveKeys()
{
    auto addKey = [this](const QKeySequence& key, auto run) {
        auto* action = new QAction(this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        w_.Tree2->addAction(action);
        connectGuarded(action, &QAction::triggered, this, platform_.prompts, run);
    };
    addKey(MoveUpKey, [this] { moveSelected(StepMove::Up); });
    addKey(MoveDownKey, [this] { moveSelected(StepMove::Down); });
    addKey(MoveOutKey, [this] { moveSelected(StepMove::Out); });
    addKey(MoveInKey, [this] { moveSelected(StepMove::In); });
    addKey(CutKey, [this] { cutSelected(); });
    addKey(PasteKey, [this] { pasteCut(); });
}

void ItemCommands::moveSelected(StepMove step)
{
    const std::optional<MovePlan> plan = planStep(selectedNode(), step);
    if (!plan) {
        platform_.beeper.beep();
        return;
    }
    document_.model().moveItem(*plan);
    // The item stays selected and in sight, also when it went into a closed folder.
    selectNode(plan->node);
    document_.recordMovedItem(plan->node, plan->fromParent, plan->fromRow);
}

Node* ItemCommands::cutNode() const { return document_.model().cutItem(); }

// A new cut takes the mark from the item cut before.
void ItemCommands::cutSelected()
{
    Node* node = selectedNode();
    if (!node || !node->parent()) {
        platform_.beeper.beep();
        return;
    }
    document_.model().markCut(node);
}

bool ItemCommands::cancelCut()
{
    if (!cutNode()) return false;
    document_.model().markCut(nullptr);
    return true;
}

void ItemCommands::pasteCut()
{
    Node* node = cutNode();
    Node* target = selectedNode();
    if (!node || !target) {
        platform_.beeper.beep();
        return;
    }
    // Where a drop would quietly do nothing (onto the item itself or into its own subtree, back
    // to its own place), the paste beeps; a refusal says why.
    const DropDecision drop = decideDrop(node, target);
    if (carryOut(drop))
        document_.model().markCut(nullptr);
    else if (drop.kind != DropKind::Refuse)
        platform_.beeper.beep();
}

bool ItemCommands::carryOut(const DropDecision& drop)
{
    MovePlan plan;
    switch (drop.kind) {
    case DropKind::Ignore:
    case DropKind::Unchanged:
        return false;
    case DropKind::Refuse:
        platform_.beeper.beep();
        platform_.prompts.message(QString::fromStdString(messages_.byNumber(drop.refusalMessage)));
        return false;
    case DropKind::MoveBefore:
    case DropKind::MoveInto:
    case DropKind::MoveToEnd:
        break;
    }
    if (!planMove(drop, plan) || plan.returnsToSamePlace()) return false;
    document_.model().moveItem(plan);
    selectNode(plan.node);
    properties_.showPropertiesOf(plan.node);
    document_.recordMovedItem(plan.node, plan.fromParent, plan.fromRow);
    return true;
}

}  // namespace quillmap
