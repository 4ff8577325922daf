#pragma once

class QUndoCommand;

namespace quillmap {

// What the other windows need of the main window's edit state: the Updating flag that tells the
// program's own filling of controls from a user's edit, the unsaved mark and the history of changes.
class EditState {
public:
    virtual ~EditState() = default;
    virtual bool isUpdating() const = 0;
    virtual void setUpdating(bool updating) = 0;
    virtual void SetSaved(bool saved) = 0;
    // Hands a change just made to the project's history (which takes it), for undo and redo.
    virtual void recordChange(QUndoCommand* change) = 0;
};

}  // namespace quillmap
