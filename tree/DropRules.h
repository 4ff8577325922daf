#pragma once
// What a drop of one tree item onto another does, decided apart from doing it: the window's
// model has to announce each structural change (rows leaving, rows arriving) around the move.
#include <cstddef>

#include "tree/ItemTree.h"

namespace quillmap {

enum class DropKind {
    Ignore,       // no item under the drop point (or nothing dragged): nothing happens
    MoveBefore,   // target is a document: the dragged item becomes its previous sibling
    Unchanged,    // target is a document inside the dragged subtree: the tree stays as it is
    MoveInto,     // target is a folder: the dragged item becomes its last child
    Refuse,       // beep and show message text refusalMessage
    MoveToEnd,    // the dragged item becomes the last child of target, its own folder too
};

// Where on the target row an item was dropped: on it, on its upper edge or on its lower edge.
enum class DropSpot { On, Above, Below };

// Message text numbers of the three refusals, tested in this order.
inline constexpr int SameNodeMessage = 7;       // "Destination node is the same as the source node"
inline constexpr int RootDraggedMessage = 8;    // "Can't drag/drop the root"
inline constexpr int ParentOntoChildMessage = 9;  // "Can't drop parent onto child"

struct DropDecision {
    DropKind kind = DropKind::Ignore;
    Node* dragged = nullptr;
    Node* target = nullptr;
    int refusalMessage = 0;  // 7, 8 or 9 when kind is Refuse
};

DropDecision decideDrop(Node* dragged, Node* target);

// A drop on an edge of a row goes between items: Above puts the dragged item just before target,
// a folder too; Below just after it, which after the last item of a folder is that folder's end
// (below an open folder with items: before its first item). The root's edges count as the root
// itself, as the menu has a single top. On is decideDrop.
DropDecision decideDropAt(Node* dragged, Node* target, DropSpot spot, bool targetOpen);

// One structural move: the node leaves (fromParent, fromRow) and arrives at (toParent, toRow).
// toRow counts the rows after the node has left; rowBeforeLeaving is the same place counted
// before (the destination row a toolkit's "rows moved" notice expects). A null parent stands for
// the top level.
struct MovePlan {
    Node* node = nullptr;
    Node* fromParent = nullptr;
    std::size_t fromRow = 0;
    Node* toParent = nullptr;
    std::size_t toRow = 0;
    std::size_t rowBeforeLeaving = 0;

    bool returnsToSamePlace() const { return fromParent == toParent && fromRow == toRow; }
};

// The move a MoveBefore, MoveInto or MoveToEnd decision asks for; no move for the other kinds.
bool planMove(const DropDecision& decision, MovePlan& plan);

// Performs a plan as detach + insert: the very same nodes and records move, child order and
// image indexes included, in time linear in the size of the moved subtree and without recursion.
Node* applyMove(ItemTree& tree, const MovePlan& plan);

// Makes source, with its subtree, the last child of the folder target.
Node* MoveSubtree(ItemTree& tree, Node* source, Node* target);

}  // namespace quillmap
