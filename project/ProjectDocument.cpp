// The main window's history of changes: recording each edit, undo and redo, and showing what
// an undone or redone change touched. The unsaved mark follows the history.
#include <QCheckBox>

#include "app/TForm1.h"
#include "undo/ItemChanges.h"
#include "undo/UndoStack.h"
#include "undo/ValueChange.h"

namespace quillmap {

void TForm1::connectHistory()
{
    history_ = new UndoStack(this);
    connect(history_, &UndoStack::cleanChanged, this, [this](bool clean) { guard([&] { SetSaved(clean); }); });
}

void TForm1::undoClick() { history_->undo(); }

void TForm1::redoClick() { history_->redo(); }

void TForm1::recordChange(QUndoCommand* change) { history_->record(change); }

void TForm1::showChangedItem(Node* node)
{
    if (node) {
        selectNode(node);
        showPropertiesOf(node);
        return;
    }
    selectCurrentRow();
    if (Node* now = selectedNode())
        showPropertiesOf(now);
    else
        emptyCaptionAndLink();
}

void TForm1::recordItemText(Node* node, ItemText text, const QString& before, const QString& after, bool typed)
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
        showChangedItem(node);
    };
    recordChange(new ValueChange(node, static_cast<int>(text), before, after, apply, typed));
}

// Putting an option back runs its change handler like a user's edit; the history ignores what
// that handler records.
void TForm1::recordOption(QWidget* control, const QVariant& before, const QVariant& after, bool typed)
{
    auto apply = [control](const QVariant& value) {
        if (auto* box = qobject_cast<QCheckBox*>(control))
            box->setChecked(value.toBool());
        else if (auto* line = qobject_cast<QLineEdit*>(control))
            line->setText(value.toString());
    };
    recordChange(new ValueChange(control, 0, before, after, apply, typed));
}

void TForm1::recordAddedItem(Node* node)
{
    recordChange(ItemPresenceChange::added(*model_, node, [this](Node* shown) { showChangedItem(shown); }));
}

void TForm1::removeItem(Node* node)
{
    Node* parent = node->parent();
    const std::size_t row = node->row();
    std::unique_ptr<Node> removed = model_->takeItem(node);
    recordChange(ItemPresenceChange::removed(*model_, parent, row, std::move(removed),
                                             [this](Node* shown) { showChangedItem(shown); }));
}

void TForm1::recordMovedItem(Node* node, Node* fromParent, std::size_t fromRow)
{
    recordChange(new ItemMove(*model_, node, fromParent, fromRow, [this](Node* shown) { showChangedItem(shown); }));
}

}  // namespace quillmap
