#pragma once
// The main window's item commands: New Folder, Document, Remove, moving items by drag and drop,
// the tree's right-click menu, and the folder pictures that follow expanding and collapsing.
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include "project/ProjectDocument.h"
#include "shell/Platform.h"
#include "text/MessageTexts.h"
#include "tree/ItemPlacement.h"
#include "tree/KeyboardMoves.h"

class QAction;
class QMenu;
class QPushButton;

namespace quillmap {

class PropertiesPanel;
class Tree2View;

class ItemCommands : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        Tree2View* Tree2;
        QPushButton* btnAddFolder;
        QPushButton* btnAddDoc;
        QPushButton* btnRemove;
    };

    // messages are read each time one is shown, so a language file's texts apply.
    ItemCommands(ProjectDocument& document, const Platform& platform, const MessageTexts& messages,
                 PropertiesPanel& properties, const Widgets& widgets, QObject* parent = nullptr);

    // The keys of the item commands, shown in the buttons' hints and in the right-click menu.
    static const QKeySequence AddFolderKey;
    static const QKeySequence AddDocumentKey;
    static const QKeySequence RemoveKey;
    static const QKeySequence RenameKey;
    static const QKeySequence MoveUpKey;
    static const QKeySequence MoveDownKey;
    static const QKeySequence MoveOutKey;
    static const QKeySequence MoveInKey;
    static const QKeySequence CutKey;
    static const QKeySequence PasteKey;

    // The right-click menu's own entries; a language file may replace them.
    struct MenuTexts {
        QString rename = QStringLiteral("Rename");
        QString moveUp = QStringLiteral("Move Up");
        QString moveDown = QStringLiteral("Move Down");
        QString moveOut = QStringLiteral("Move Out of Folder");
        QString moveIn = QStringLiteral("Move Into Folder Above");
        QString cut = QStringLiteral("Cut");
        QString paste = QStringLiteral("Paste");
    };
    MenuTexts menuTexts;

    Node* selectedNode() const;
    void selectNode(Node* node);

    void btnAddFolderClick();
    void btnAddDocClick();
    // askRootQuestion is false when New empties the tree.
    void btnRemoveClick(bool askRootQuestion = true);
    void Tree2Expanding(const QModelIndex& index);
    void Tree2Collapsing(const QModelIndex& index);
    // The selected item is dropped at position, in Tree2's viewport coordinates, on the row
    // there or on one of its edges.
    void Tree2DragDrop(QPoint position, DropSpot spot = DropSpot::On);

    // Moves the selected item with its subtree one step; a step that cannot be made beeps.
    void moveSelected(StepMove step);
    // Cut marks the selected item (not the root); Paste moves it with its subtree into the
    // selected folder, at its end, or before the selected document, as a drop there would.
    void cutSelected();
    void pasteCut();
    Node* cutNode() const;
    // Takes the mark off the cut item; false when no item was cut.
    bool cancelCut();

    // The tree's right-click menu: the item commands, then the entries given here.
    QMenu* popUpItem = nullptr;
    void fillItemMenu();
    void setFurtherMenuEntries(QList<QAction*> entries) { furtherEntries_ = std::move(entries); }

private:
    void connectHandlers();
    void setUpItemMenu();
    void setUpMoveKeys();
    // Shows the outcome of a drop or paste decision; answers whether something moved.
    bool carryOut(const DropDecision& drop);
    // The captions of new items, as bytes of the project's encoding.
    NewItemCaptions newItemCaptions();

    ProjectDocument& document_;
    Platform platform_;
    const MessageTexts& messages_;
    PropertiesPanel& properties_;
    Widgets w_;
    QList<QAction*> furtherEntries_;
};

}  // namespace quillmap
