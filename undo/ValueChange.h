#pragma once
#include <QVariant>
#include <functional>

#include "undo/ProjectChange.h"

namespace quillmap {

// One value of the project changed: an item's caption or record field, an option, a colour, a
// style. It keeps the value before and after and how to put either in place.
class ValueChange : public ProjectChange {
public:
    using Apply = std::function<void(const QVariant&)>;

    // subject and field name the value. A typed change joins the previous typed change of the
    // same value, so that a word typed is one step; a new word, begun after a blank, is the next.
    ValueChange(const void* subject, int field, QVariant before, QVariant after, Apply apply, bool typed = false);

    void undo() override { apply_(before_); }
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

protected:
    void redoChange() override { apply_(after_); }

private:
    const void* subject_;
    int field_;
    QVariant before_;
    QVariant after_;
    Apply apply_;
    bool typed_;
};

}  // namespace quillmap
