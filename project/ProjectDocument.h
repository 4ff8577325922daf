#pragma once
// The project being edited: its items, its history of changes, the file it belongs to and
// whether it has unsaved changes. The window's parts work on it; it tells them by signals.
#include <QObject>
#include <QString>
#include <cstddef>

#include "project/EditState.h"
#include "project/ProjectSite.h"
#include "tree/TreeModel.h"

class QVariant;

namespace quillmap {

class UndoStack;

class ProjectDocument : public QObject, public EditState {
    Q_OBJECT
public:
    explicit ProjectDocument(QObject* parent = nullptr);
    ~ProjectDocument() override;

    TreeModel& model() const { return *model_; }
    const ItemTree& tree() const { return model_->tree(); }
    // Every edit records what it changed; New and Open start a fresh history, a save marks the
    // present state as the saved one.
    UndoStack& history() const { return *history_; }

    // Set while the program itself fills controls; change handlers do nothing then.
    bool Updating = false;
    // No unsaved changes. Written only by SetSaved after start-up.
    bool Saved = true;
    QString ProjectFileName;
    // The project's site, its folders absolute (the project file stores them relative to itself).
    ProjectSite site;

    bool isUpdating() const override { return Updating; }
    void setUpdating(bool updating) override;
    // The saved state is also the history's clean state, to which undo and redo can return.
    void SetSaved(bool value) override;
    void recordChange(QUndoCommand* change) override;
    void undo();
    void redo();

    // The item's record, made with the defaults of its kind when it has none yet.
    TMyRec& recordOf(Node* node);

    enum class ItemText { Caption, Link, Target, OpenState, Image };
    // Records that one of node's texts changed from before to after; typed changes of the same
    // text join word by word. Texts are kept decoded, so a step stays right when an edit turns
    // the project into UTF-8.
    void recordItemText(Node* node, ItemText text, const QString& before, const QString& after, bool typed);
    // Records that node arrived in the tree with its whole subtree: one step, however large.
    void recordAddedItem(Node* node);
    // Takes node with its subtree out of the tree and records it.
    void removeItem(Node* node);
    // Records that node has just moved away from row of fromParent (null: the top level).
    void recordMovedItem(Node* node, Node* fromParent, std::size_t fromRow);

    // Sets Updating for one filling of controls and clears it again, also when the filling fails.
    class UpdatingScope {
    public:
        explicit UpdatingScope(EditState& state) : state_(state) { state_.setUpdating(true); }
        ~UpdatingScope() { state_.setUpdating(false); }
        UpdatingScope(const UpdatingScope&) = delete;
        UpdatingScope& operator=(const UpdatingScope&) = delete;

    private:
        EditState& state_;
    };

signals:
    void savedChanged(bool saved);
    // The project changed: an edit was recorded, undone or redone.
    void changed();
    // An undone or redone change touched node: select it and show it. Null: the item is gone;
    // show whatever the tree selects now.
    void showItem(quillmap::Node* node);

private:
    TreeModel* model_;
    UndoStack* history_;
};

}  // namespace quillmap
