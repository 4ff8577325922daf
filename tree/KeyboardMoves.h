#pragma once
// Moving an item with the keyboard, one step at a time, decided apart from doing it.
#include <optional>

#include "tree/DropRules.h"

namespace quillmap {

enum class StepMove {
    Up,    // one place up in its folder
    Down,  // one place down in its folder
    Out,   // out of its folder, right after it
    In,    // into the folder just above it, as its last item
};

// The move one step asks for, or none where the step cannot go (the root never moves; an item
// of the root cannot leave it, as the menu has a single top).
std::optional<MovePlan> planStep(Node* node, StepMove step);

}  // namespace quillmap
