#include "undo/ValueChange.h"

namespace quillmap {

namespace {

constexpr int TypedChangeId = 1;

bool endsWithBlank(const QVariant& text)
{
    const QString s = text.toString();
    return !s.isEmpty() && s.back().isSpace();
}

}  // namespace

ValueChange::ValueChange(const void* subject, int field, QVariant before, QVariant after, Apply apply, bool typed)
    : subject_(subject), field_(field), before_(std::move(before)), after_(std::move(after)), apply_(std::move(apply)),
      typed_(typed)
{
    setObsolete(before_ == after_);
}

int ValueChange::id() const { return typed_ ? TypedChangeId : -1; }

bool ValueChange::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const ValueChange*>(other);
    if (!next || !next->typed_ || next->subject_ != subject_ || next->field_ != field_) return false;
    if (endsWithBlank(after_) && !endsWithBlank(next->after_)) return false;
    after_ = next->after_;
    setObsolete(before_ == after_);
    return true;
}

}  // namespace quillmap
