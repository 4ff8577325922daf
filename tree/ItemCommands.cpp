#include "tree/ItemCommands.h"

#include <QPushButton>

#include "shell/EventGuard.h"
#include "text/SingleLine.h"
#include "tree/PropertiesPanel.h"
#include "tree/Tree2View.h"

namespace quillmap {

const QKeySequence ItemCommands::AddFolderKey(Qt::CTRL | Qt::Key_Insert);
const QKeySequence ItemCommands::AddDocumentKey(Qt::Key_Insert);
const QKeySequence ItemCommands::RemoveKey(Qt::Key_Delete);
const QKeySequence ItemCommands::RenameKey(Qt::Key_F2);
const QKeySequence ItemCommands::MoveUpKey(Qt::ALT | Qt::Key_Up);
const QKeySequence ItemCommands::MoveDownKey(Qt::ALT | Qt::Key_Down);
const QKeySequence ItemCommands::MoveOutKey(Qt::ALT | Qt::Key_Left);
const QKeySequence ItemCommands::MoveInKey(Qt::ALT | Qt::Key_Right);
const QKeySequence ItemCommands::CutKey(Qt::CTRL | Qt::Key_X);
const QKeySequence ItemCommands::PasteKey(Qt::CTRL | Qt::Key_V);

ItemCommands::ItemCommands(ProjectDocument& document, const Platform& platform, const MessageTexts& messages,
                           PropertiesPanel& properties, const Widgets& widgets, QObject* parent)
    : QObject(parent), document_(document), platform_(platform), messages_(messages), properties_(properties),
      w_(widgets)
{
    connectHandlers();
    setUpItemMenu();
    setUpMoveKeys();
}

void ItemCommands::connectHandlers()
{
    Prompts& prompts = platform_.prompts;
    connectGuarded(w_.btnAddFolder, &QPushButton::clicked, this, prompts, [this] { btnAddFolderClick(); });
    connectGuarded(w_.btnAddDoc, &QPushButton::clicked, this, prompts, [this] { btnAddDocClick(); });
    connectGuarded(w_.btnRemove, &QPushButton::clicked, this, prompts, [this] { btnRemoveClick(true); });
    connectGuarded(w_.Tree2, &QTreeView::expanded, this, prompts,
                   [this](const QModelIndex& index) { Tree2Expanding(index); });
    connectGuarded(w_.Tree2, &QTreeView::collapsed, this, prompts,
                   [this](const QModelIndex& index) { Tree2Collapsing(index); });
    connectGuarded(w_.Tree2, &Tree2View::dropped, this, prompts,
                   [this](QPoint at, DropSpot spot) { Tree2DragDrop(at, spot); });
}

Node* ItemCommands::selectedNode() const { return w_.Tree2->selectedNode(); }

void ItemCommands::selectNode(Node* node) { w_.Tree2->selectNode(node); }

NewItemCaptions ItemCommands::newItemCaptions()
{
    NewItemCaptions captions = quillmap::newItemCaptions(messages_);
    for (std::string* caption : {&captions.newFolder, &captions.newDocument, &captions.rootFolder})
        *caption = document_.model().bytes(withoutLeadingBlanks(QString::fromStdString(*caption)));
    return captions;
}

void ItemCommands::btnAddFolderClick()
{
    const Placement place = placeNewFolder(document_.tree(), selectedNode(), newItemCaptions());
    Node* folder = document_.model().appendItem(place.parent, place.caption, ClosedFolderImage,
                                        std::make_unique<TMyRec>(TMyRec::folderDefaults()));
    selectNode(folder);
    properties_.showPropertiesOf(folder);
    document_.recordAddedItem(folder);
    properties_.focusCaptionBox();
}

void ItemCommands::btnAddDocClick()
{
    const std::optional<Placement> place = placeNewDocument(selectedNode(), newItemCaptions());
    if (!place) {
        platform_.prompts.message(QString::fromStdString(messages_.pleaseSelectFolder));
        return;
    }
    Node* document = document_.model().appendItem(place->parent, place->caption, DocumentImage,
                                          std::make_unique<TMyRec>(TMyRec::documentDefaults()));
    selectNode(document);
    properties_.showPropertiesOf(document);
    document_.recordAddedItem(document);
    properties_.focusCaptionBox();
}

void ItemCommands::btnRemoveClick(bool askRootQuestion)
{
    Node* selected = selectedNode();
    if (!selected) {
        platform_.prompts.message(QString::fromStdString(messages_.nothingSelected));
        return;
    }
    if (!selected->parent() && askRootQuestion &&
        platform_.prompts.askYesNo(QString::fromStdString(messages_.removeRootQuestion)) != Prompts::Answer::Yes)
        return;
    document_.removeItem(selected);
    properties_.showChangedItem(nullptr);
}

// A document keeps its picture: its kind is its image index, and expanding is no edit.
void ItemCommands::Tree2Expanding(const QModelIndex& index)
{
    Node* node = document_.model().nodeOf(index);
    if (node && !node->isDocument()) document_.model().setImageIndex(node, OpenFolderImage);
}

void ItemCommands::Tree2Collapsing(const QModelIndex& index)
{
    Node* node = document_.model().nodeOf(index);
    if (node && !node->isDocument()) document_.model().setImageIndex(node, ClosedFolderImage);
}

}  // namespace quillmap
