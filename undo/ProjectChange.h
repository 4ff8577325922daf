#pragma once
#include <QUndoCommand>

namespace quillmap {

// A change already made to the project when it is recorded: its first redo, which the history
// runs on recording, does nothing; later ones make the change again.
class ProjectChange : public QUndoCommand {
public:
    using QUndoCommand::QUndoCommand;

    void redo() final
    {
        if (firstRedo_) {
            firstRedo_ = false;
            return;
        }
        redoChange();
    }

protected:
    virtual void redoChange() = 0;

private:
    bool firstRedo_ = true;
};

}  // namespace quillmap
