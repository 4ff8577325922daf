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
    addEntry(QStringLiteral("Rename"), RenameKey, [this] { w_.Tree2->edit(w_.Tree2->currentIndex()); })
        ->setEnabled(onItem);
    addButton(w_.btnRemove, RemoveKey)->setEnabled(onItem);
    if (!furtherEntries_.isEmpty()) popUpItem->addSeparator();
    popUpItem->addActions(furtherEntries_);
}

}  // namespace quillmap
