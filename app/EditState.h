#pragma once

namespace quillmap {

// What the other windows need of the main window's edit state: the Updating flag that tells the
// program's own filling of controls from a user's edit, and the unsaved mark.
class EditState {
public:
    virtual ~EditState() = default;
    virtual bool isUpdating() const = 0;
    virtual void setUpdating(bool updating) = 0;
    virtual void SetSaved(bool saved) = 0;
};

}  // namespace quillmap
