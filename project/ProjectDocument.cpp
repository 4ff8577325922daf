#include "project/ProjectDocument.h"

#include <cassert>

#include "undo/ItemChanges.h"
#include "undo/UndoStack.h"
#include "undo/ValueChange.h"

namespace quillmap {

ProjectDocument::ProjectDocument(QObject* parent)
    : QObject(parent), model_(new TreeModel(this)), history_(new UndoStack(this))
{
    connect(history_, &UndoStack::cleanChanged, this, &ProjectDocument::SetSaved);
}

ProjectDocument::~ProjectDocument() = default;

void ProjectDocument::setUpdating(bool updating)
{
    assert(!(updating && Updating) && "Updating is a plain flag and is never set twice");
    Updating = updating;
}

void ProjectDocument::SetSaved(bool value)
{
    if (value) history_->setClean();
    if (value == Saved) return;
    Saved = value;
    emit savedChanged(value);
}

void ProjectDocument::recordChange(QUndoCommand* change)
{
    history_->record(change);
    emit changed();
}

void ProjectDocument::undo()
{
    history_->undo();
    emit changed();
}

void ProjectDocument::redo()
{
    history_->redo();
    emit changed();
}

TMyRec& ProjectDocument::recordOf(Node* node)
{
    if (!node->record())
        node->setRecord(std::make_unique<TMyRec>(node->isDocument() ? TMyRec::documentDefaults()
                                                                    : TMyRec::folderDefaults()));
    return *node->record();
}

void ProjectDocument::recordItemText(Node* node, ItemText text, const QString& before, const QString& after,
                                     bool typed)
{
    auto apply = [this, node, text](const QVariant& value) {
        const std::string stored = model_->bytes(value.toString());
        switch (text) {
        case ItemText::Caption: model_->setCaption(node, stored); break;
        case ItemText::Link: recordOf(node).URL = stored; break;
        case ItemText::Target: recordOf(node).Target = stored; break;
        case ItemText::OpenState: recordOf(node).OpenState = stored; break;
        case ItemText::Image: recordOf(node).CustomImage = stored; break;
        }
        emit showItem(node);
    };
    // The link check's mark lasts until the item changes.
    model_->setLinkProblem(node, {});
    recordChange(new ValueChange(node, static_cast<int>(text), before, after, apply, typed));
}

void ProjectDocument::recordAddedItem(Node* node)
{
    recordChange(ItemPresenceChange::added(*model_, node, [this](Node* shown) { emit showItem(shown); }));
}

void ProjectDocument::removeItem(Node* node)
{
    Node* parent = node->parent();
    const std::size_t row = node->row();
    std::unique_ptr<Node> removed = model_->takeItem(node);
    recordChange(ItemPresenceChange::removed(*model_, parent, row, std::move(removed),
                                             [this](Node* shown) { emit showItem(shown); }));
}

void ProjectDocument::recordMovedItem(Node* node, Node* fromParent, std::size_t fromRow)
{
    recordChange(new ItemMove(*model_, node, fromParent, fromRow, [this](Node* shown) { emit showItem(shown); }));
}

}  // namespace quillmap
