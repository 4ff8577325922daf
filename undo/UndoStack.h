#pragma once
// The project's history of changes, for undo and redo.
#include <QObject>
#include <QUndoStack>
#include <memory>
#include <vector>

namespace quillmap {

// Every edit is recorded here once it has been made; the change's first redo does nothing (see
// ProjectChange). While a change is undone or redone, the edits its replay causes in the window
// are not recorded again. The clean state is the saved project.
class UndoStack : public QObject {
    Q_OBJECT
public:
    explicit UndoStack(QObject* parent = nullptr);
    ~UndoStack() override;

    // Takes the change. While replaying it is dropped; inside a Group it joins the group.
    void record(QUndoCommand* change);
    void undo();
    void redo();
    bool canUndo() const { return stack_.canUndo(); }
    bool canRedo() const { return stack_.canRedo(); }
    // The number of steps that can be undone or redone.
    int count() const { return stack_.count(); }
    bool replaying() const { return replaying_; }
    // Forgets every step; the present state becomes the clean one.
    void clear();
    void setClean() { stack_.setClean(); }
    bool isClean() const { return stack_.isClean(); }

    // Everything recorded while a Group lives is one step of the history, undone and redone as
    // a whole. Groups may nest; only the outermost one makes a step. A group that recorded
    // nothing leaves no step.
    class Group {
    public:
        Group(UndoStack& stack, const QString& text);
        ~Group();
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;

    private:
        UndoStack& stack_;
    };

signals:
    // True when the history reaches the clean state, false when it leaves it.
    void cleanChanged(bool clean);

private:
    void replay(void (QUndoStack::*step)());
    class ChangeGroup;
    QUndoStack stack_;
    bool replaying_ = false;
    int groupDepth_ = 0;
    std::unique_ptr<ChangeGroup> group_;
};

}  // namespace quillmap
