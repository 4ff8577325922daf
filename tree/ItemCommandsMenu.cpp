// The tree's right-click menu. The press of the right button has already selected the item
// under the pointer (or cleared the selection on empty space); the entries press the item
// buttons, so they do exactly what the buttons and their keys do.
#include <QMenu>
#include <QPushButton>

#include "shell/ContextMenu.h"
#include "shell/EventGuard.h"
#include "tree/ItemCommands.h"
#include "tree/Tree2View.h"

namespace quillmap {

void ItemCommands::setUpItemMenu()
{
    popUpItem = contextMenu(w_.Tree2, platform_.prompts, QStringLiteral("popUpItem"), [this] { fillItemMenu(); });
}

void ItemCommands::fillItemMenu()
{
    popUpItem->clear();
    auto addEntry = [this](const QString& text, const QKeySequence& key, auto run) {
        QAction* action = popUpItem->addAction(QString(text).remove(QLatin1Char('&')) + QLatin1Char('\t') +
                                               key.toString(QKeySequence::NativeText));
        connectGuarded(action, &QAction::triggered, this, platform_.prompts, run);
        return action;
    };
    auto addButton = [&](QAbstractButton* button, const QKeySequence& key) {
        return addEntry(button->text(), key, [button] { button->click(); });
    };
    const bool onItem = selectedNode() != nullptr;
    addButton(w_.btnAddFolder, AddFolderKey);
    addButton(w_.btnAddDoc, AddDocumentKey);
    addEntry(menuTexts.rename, RenameKey, [this] { w_.Tree2->edit(w_.Tree2->currentIndex()); })
        ->setEnabled(onItem);
    addButton(w_.btnRemove, RemoveKey)->setEnabled(onItem);

    popUpItem->addSeparator();
    Node* node = selectedNode();
    const std::pair<const QString&, StepMove> steps[] = {{menuTexts.moveUp, StepMove::Up},
                                                         {menuTexts.moveDown, StepMove::Down},
                                                         {menuTexts.moveOut, StepMove::Out},
                                                         {menuTexts.moveIn, StepMove::In}};
    const QKeySequence stepKeys[] = {MoveUpKey, MoveDownKey, MoveOutKey, MoveInKey};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const StepMove step = steps[i].second;
        addEntry(steps[i].first, stepKeys[i], [this, step] { moveSelected(step); })
            ->setEnabled(planStep(node, step).has_value());
    }
    addEntry(menuTexts.cut, CutKey, [this] { cutSelected(); })->setEnabled(node && node->parent());
    addEntry(menuTexts.paste, PasteKey, [this] { pasteCut(); })->setEnabled(node && cutNode());
    if (!furtherEntries_.isEmpty()) popUpItem->addSeparator();
    popUpItem->addActions(furtherEntries_);
}

}  // namespace quillmap
