#include "tree/KeyboardMoves.h"

namespace quillmap {

std::optional<MovePlan> planStep(Node* node, StepMove step)
{
    if (!node || !node->parent()) return std::nullopt;
    Node* folder = node->parent();
    const std::size_t row = node->row();
    switch (step) {
    case StepMove::Up:
        if (row == 0) return std::nullopt;
        return MovePlan{node, folder, row, folder, row - 1, row - 1};
    case StepMove::Down:
        if (row + 1 >= folder->childCount()) return std::nullopt;
        return MovePlan{node, folder, row, folder, row + 1, row + 2};
    case StepMove::Out: {
        Node* outer = folder->parent();
        if (!outer) return std::nullopt;
        return MovePlan{node, folder, row, outer, folder->row() + 1, folder->row() + 1};
    }
    case StepMove::In: {
        if (row == 0) return std::nullopt;
        Node* above = folder->child(row - 1);
        if (above->isDocument()) return std::nullopt;
        return MovePlan{node, folder, row, above, above->childCount(), above->childCount()};
    }
    }
    return std::nullopt;
}

}  // namespace quillmap
