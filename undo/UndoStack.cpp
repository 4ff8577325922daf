#include "undo/UndoStack.h"

#include "undo/ProjectChange.h"

namespace quillmap {

// Several changes as one step: undone last first, redone in the order they were made.
class UndoStack::ChangeGroup : public ProjectChange {
public:
    using ProjectChange::ProjectChange;
    std::vector<std::unique_ptr<QUndoCommand>> changes;

    void undo() override
    {
        for (auto it = changes.rbegin(); it != changes.rend(); ++it) (*it)->undo();
    }

protected:
    void redoChange() override
    {
        for (auto& change : changes) change->redo();
    }
};

UndoStack::UndoStack(QObject* parent) : QObject(parent)
{
    connect(&stack_, &QUndoStack::cleanChanged, this, &UndoStack::cleanChanged);
}

// The stack forgets its steps on the way out; that is no return to the saved state.
UndoStack::~UndoStack() { disconnect(&stack_, nullptr, this, nullptr); }

void UndoStack::record(QUndoCommand* change)
{
    std::unique_ptr<QUndoCommand> owned(change);
    if (replaying_) return;
    if (group_) {
        owned->redo();  // its first redo, as a push would run it
        group_->changes.push_back(std::move(owned));
        return;
    }
    stack_.push(owned.release());
}

void UndoStack::undo() { replay(&QUndoStack::undo); }

void UndoStack::redo() { replay(&QUndoStack::redo); }

// Changes that an undo or redo makes are the step's own, never new steps; nothing replays while
// a group is being recorded.
void UndoStack::replay(void (QUndoStack::*step)())
{
    if (replaying_ || group_) return;
    replaying_ = true;
    try {
        (stack_.*step)();
    } catch (...) {
        replaying_ = false;
        throw;
    }
    replaying_ = false;
}

void UndoStack::clear() { stack_.clear(); }

UndoStack::Group::Group(UndoStack& stack, const QString& text) : stack_(stack)
{
    if (stack_.groupDepth_++ == 0) stack_.group_ = std::make_unique<ChangeGroup>(text);
}

UndoStack::Group::~Group()
{
    if (--stack_.groupDepth_ > 0) return;
    std::unique_ptr<ChangeGroup> group = std::move(stack_.group_);
    if (!group->changes.empty()) stack_.stack_.push(group.release());
}

}  // namespace quillmap
