// The tree's right-click menu. The press of the right button has already selected the item
// under the pointer (or cleared the selection on empty space); the entries press the item
// buttons, so they do exactly what the buttons and their keys do.
#include <QMenu>

#include "app/TForm1.h"

namespace quillmap {

void TForm1::setUpItemMenu()
{
    popUpItem = contextMenu(Tree2, QStringLiteral("popUpItem"), [this] { fillItemMenu(); });
}

void TForm1::fillItemMenu()
{
    popUpItem->clear();
    auto addEntry = [this](const QString& text, const QKeySequence& key, auto run) {
        QAction* action = popUpItem->addAction(QString(text).remove(QLatin1Char('&')) + QLatin1Char('\t') +
                                               key.toString(QKeySequence::NativeText));
        connect(action, &QAction::triggered, this, [this, run] { guard(run); });
        return action;
    };
    auto addButton = [&](QAbstractButton* button) {
        QKeySequence key;
        for (const ButtonKey& entry : buttonKeys())
            if (entry.button == button) key = entry.key;
        return addEntry(button->text(), key, [button] { button->click(); });
    };
    const bool onItem = selectedNode() != nullptr;
    addButton(btnAddFolder);
    addButton(btnAddDoc);
    addEntry(QStringLiteral("Rename"), QKeySequence(Qt::Key_F2), [this] { Tree2->edit(Tree2->currentIndex()); })
        ->setEnabled(onItem);
    addButton(btnRemove)->setEnabled(onItem);
    addImportEntries(popUpItem);
}

}  // namespace quillmap
