// The main window's item commands: New Folder, Document, Remove, and the folder pictures that
// follow expanding and collapsing.
#include <QItemSelectionModel>

#include "text/SingleLine.h"
#include "app/TForm1.h"
#include "tree/ItemPlacement.h"

namespace quillmap {

void TForm1::connectItemHandlers()
{
    connect(btnAddFolder, &QPushButton::clicked, this, [this] { guard([this] { btnAddFolderClick(); }); });
    connect(btnAddDoc, &QPushButton::clicked, this, [this] { guard([this] { btnAddDocClick(); }); });
    connect(btnRemove, &QPushButton::clicked, this, [this] { guard([this] { btnRemoveClick(true); }); });
    connect(Tree2, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { guard([&] { Tree2Expanding(index); }); });
    connect(Tree2, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { guard([&] { Tree2Collapsing(index); }); });
}

Node* TForm1::selectedNode() const { return model_->nodeOf(Tree2->currentIndex()); }

void TForm1::selectNode(Node* node)
{
    std::vector<Node*> ancestors;
    for (Node* p = node->parent(); p; p = p->parent()) ancestors.push_back(p);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) Tree2->expand(model_->indexOf(*it));
    const QModelIndex index = model_->indexOf(node);
    Tree2->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    Tree2->scrollTo(index);
}

// When the selected item is deleted the tree moves the current item to a neighbour or the parent;
// that item becomes the selected one.
void TForm1::selectCurrentRow()
{
    const QModelIndex current = Tree2->currentIndex();
    if (current.isValid() && !Tree2->selectionModel()->isSelected(current))
        Tree2->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
}

NewItemCaptions TForm1::newItemCaptions()
{
    NewItemCaptions captions = quillmap::newItemCaptions(messages);
    for (std::string* caption : {&captions.newFolder, &captions.newDocument, &captions.rootFolder})
        *caption = model_->bytes(withoutLeadingBlanks(QString::fromStdString(*caption)));
    return captions;
}

void TForm1::btnAddFolderClick()
{
    const Placement place = placeNewFolder(tree(), selectedNode(), newItemCaptions());
    Node* folder = model_->appendItem(place.parent, place.caption, ClosedFolderImage,
                                        std::make_unique<TMyRec>(TMyRec::folderDefaults()));
    selectNode(folder);
    showPropertiesOf(folder);
    recordAddedItem(folder);
    focusCaptionBox();
}

void TForm1::btnAddDocClick()
{
    const std::optional<Placement> place = placeNewDocument(selectedNode(), newItemCaptions());
    if (!place) {
        platform_.prompts.message(QString::fromStdString(messages.pleaseSelectFolder));
        return;
    }
    Node* document = model_->appendItem(place->parent, place->caption, DocumentImage,
                                          std::make_unique<TMyRec>(TMyRec::documentDefaults()));
    selectNode(document);
    showPropertiesOf(document);
    recordAddedItem(document);
    focusCaptionBox();
}

// Typing right after adding an item replaces its default caption.
void TForm1::focusCaptionBox()
{
    txtCaption->setFocus(Qt::OtherFocusReason);
    txtCaption->selectAll();
}

void TForm1::btnRemoveClick(bool askRootQuestion)
{
    Node* selected = selectedNode();
    if (!selected) {
        platform_.prompts.message(QString::fromStdString(messages.nothingSelected));
        return;
    }
    if (!selected->parent() && askRootQuestion &&
        platform_.prompts.askYesNo(QString::fromStdString(messages.removeRootQuestion)) != Prompts::Answer::Yes)
        return;
    removeItem(selected);
    showChangedItem(nullptr);
}

void TForm1::emptyCaptionAndLink()
{
    UpdatingScope updating(*this);
    txtCaption->clear();
    txtURL->clear();
}

// A document keeps its picture: its kind is its image index, and expanding is no edit.
void TForm1::Tree2Expanding(const QModelIndex& index)
{
    Node* node = model_->nodeOf(index);
    if (node && !node->isDocument()) model_->setImageIndex(node, OpenFolderImage);
}

void TForm1::Tree2Collapsing(const QModelIndex& index)
{
    Node* node = model_->nodeOf(index);
    if (node && !node->isDocument()) model_->setImageIndex(node, ClosedFolderImage);
}

}  // namespace quillmap
