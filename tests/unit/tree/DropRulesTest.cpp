#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "tree/DropRules.h"
#include "tree/KeyboardMoves.h"

using namespace quillmap;

namespace {

Node* folder(ItemTree& tree, Node* parent, const std::string& caption, int image = ClosedFolderImage)
{
    return tree.append(parent, caption, image, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
}
Node* doc(ItemTree& tree, Node* parent, const std::string& caption)
{
    auto record = std::make_unique<TMyRec>(TMyRec::documentDefaults());
    record->URL = caption + ".html";
    return tree.append(parent, caption, DocumentImage, std::move(record));
}

// Captions in absolute-index order, each indented by its level.
std::string outline(const ItemTree& tree)
{
    std::string text;
    tree.forEach([&text](Node* n, int level) { text += std::string(level, '.') + n->caption + " "; });
    return text;
}

// Performs a decision as the window does, answering with the refusal message or 0.
int drop(ItemTree& tree, Node* dragged, Node* target)
{
    const DropDecision d = decideDrop(dragged, target);
    MovePlan plan;
    if (planMove(d, plan)) applyMove(tree, plan);
    return d.refusalMessage;
}

// root
//   A: a1, a2, Asub: s1
//   B: b1
//   d1, d2
struct Sample {
    ItemTree tree;
    Node *root, *A, *a1, *a2, *Asub, *s1, *B, *b1, *d1, *d2;
    Sample()
    {
        root = folder(tree, nullptr, "root");
        A = folder(tree, root, "A");
        a1 = doc(tree, A, "a1");
        a2 = doc(tree, A, "a2");
        Asub = folder(tree, A, "Asub", OpenFolderImage);
        s1 = doc(tree, Asub, "s1");
        B = folder(tree, root, "B");
        b1 = doc(tree, B, "b1");
        d1 = doc(tree, root, "d1");
        d2 = doc(tree, root, "d2");
    }
};

}  // namespace

TEST(DropRules, RefusalsOntoFoldersComeInTheirOrder)
{
    Sample s;
    const std::string before = outline(s.tree);
    // The root onto itself is "same node" (test a) before "root" (test b).
    EXPECT_EQ(drop(s.tree, s.root, s.root), SameNodeMessage);
    EXPECT_EQ(drop(s.tree, s.root, s.A), RootDraggedMessage);
    EXPECT_EQ(drop(s.tree, s.A, s.A), SameNodeMessage);
    // Onto its own parent is refused rather than taken as a move that changes nothing.
    EXPECT_EQ(drop(s.tree, s.a1, s.A), SameNodeMessage);
    EXPECT_EQ(drop(s.tree, s.Asub, s.A), SameNodeMessage);
    EXPECT_EQ(drop(s.tree, s.A, s.Asub), ParentOntoChildMessage);
    EXPECT_EQ(outline(s.tree), before);

    const DropDecision d = decideDrop(s.A, s.Asub);
    EXPECT_EQ(d.kind, DropKind::Refuse);
    MovePlan plan;
    EXPECT_FALSE(planMove(d, plan));
}

TEST(DropRules, DropOnNoItemIsIgnored)
{
    Sample s;
    EXPECT_EQ(decideDrop(s.a1, nullptr).kind, DropKind::Ignore);
    EXPECT_EQ(decideDrop(nullptr, s.B).kind, DropKind::Ignore);
    EXPECT_EQ(decideDrop(nullptr, s.d1).kind, DropKind::Ignore);
}

TEST(DropRules, FolderDropAppendsTheSameNodesAndRecordsAsLastChild)
{
    Sample s;
    TMyRec* recA = s.A->record();
    TMyRec* recS1 = s.s1->record();
    const std::size_t size = s.tree.size();

    const DropDecision d = decideDrop(s.A, s.B);
    ASSERT_EQ(d.kind, DropKind::MoveInto);
    MovePlan plan;
    ASSERT_TRUE(planMove(d, plan));
    EXPECT_EQ(plan.fromParent, s.root);
    EXPECT_EQ(plan.fromRow, 0u);
    EXPECT_EQ(plan.toParent, s.B);
    EXPECT_EQ(plan.toRow, 1u);
    Node* moved = applyMove(s.tree, plan);

    EXPECT_EQ(outline(s.tree), "root .B ..b1 ..A ...a1 ...a2 ...Asub ....s1 .d1 .d2 ");
    EXPECT_EQ(s.tree.size(), size);
    EXPECT_EQ(moved->record(), recA);
    EXPECT_EQ(s.s1->record(), recS1);
    EXPECT_EQ(s.s1->record()->URL, "s1.html");
    EXPECT_EQ(s.Asub->imageIndex, OpenFolderImage);
    EXPECT_EQ(s.Asub->selectedImageIndex, OpenFolderImage);
    EXPECT_EQ(s.tree.absoluteIndex(s.s1), 7);
}

TEST(DropRules, DocumentDroppedOnCollapsedOrEmptyFolderBecomesItsLastChild)
{
    Sample s;
    Node* empty = folder(s.tree, s.root, "empty");
    EXPECT_EQ(drop(s.tree, s.d2, empty), 0);
    ASSERT_EQ(empty->childCount(), 1u);
    EXPECT_EQ(empty->child(0), s.d2);
    EXPECT_EQ(drop(s.tree, s.a1, s.B), 0);
    EXPECT_EQ(s.B->child(1), s.a1);
}

TEST(DropRules, DropOntoADocumentPutsTheItemJustBeforeIt)
{
    Sample s;
    // Onto the document that follows it: nothing moves.
    EXPECT_EQ(drop(s.tree, s.d1, s.d2), 0);
    EXPECT_EQ(outline(s.tree), "root .A ..a1 ..a2 ..Asub ...s1 .B ..b1 .d1 .d2 ");
    // Onto the document before it: one place up.
    EXPECT_EQ(drop(s.tree, s.a2, s.a1), 0);
    EXPECT_EQ(outline(s.tree), "root .A ..a2 ..a1 ..Asub ...s1 .B ..b1 .d1 .d2 ");
    // A folder with its subtree before a document in another folder; no refusal test applies.
    EXPECT_EQ(drop(s.tree, s.Asub, s.b1), 0);
    EXPECT_EQ(outline(s.tree), "root .A ..a2 ..a1 .B ..Asub ...s1 ..b1 .d1 .d2 ");
    // Out of a folder to a later place among the root's children.
    EXPECT_EQ(drop(s.tree, s.b1, s.d2), 0);
    EXPECT_EQ(outline(s.tree), "root .A ..a2 ..a1 .B ..Asub ...s1 .d1 .b1 .d2 ");
    // From earlier in the same parent to after a later sibling's position.
    EXPECT_EQ(drop(s.tree, s.A, s.d2), 0);
    EXPECT_EQ(outline(s.tree), "root .B ..Asub ...s1 .d1 .b1 .A ..a2 ..a1 .d2 ");
}

TEST(DropRules, DocumentInsideTheDraggedSubtreeLeavesTheTreeUnchanged)
{
    Sample s;
    const std::string before = outline(s.tree);
    EXPECT_EQ(decideDrop(s.A, s.s1).kind, DropKind::Unchanged);
    EXPECT_EQ(decideDrop(s.root, s.d1).kind, DropKind::Unchanged);
    EXPECT_EQ(decideDrop(s.d1, s.d1).kind, DropKind::Unchanged);  // a document onto itself
    MovePlan plan;
    EXPECT_FALSE(planMove(decideDrop(s.A, s.s1), plan));
    EXPECT_EQ(drop(s.tree, s.A, s.s1), 0);
    EXPECT_EQ(drop(s.tree, s.root, s.d2), 0);
    EXPECT_EQ(outline(s.tree), before);
}

TEST(DropRules, PlanOntoFollowingDocumentReturnsToTheSamePlace)
{
    Sample s;
    MovePlan plan;
    ASSERT_TRUE(planMove(decideDrop(s.d1, s.d2), plan));
    EXPECT_TRUE(plan.returnsToSamePlace());
    EXPECT_EQ(plan.fromRow, 2u);
    EXPECT_EQ(plan.rowBeforeLeaving, 3u);
    ASSERT_TRUE(planMove(decideDrop(s.d2, s.d1), plan));
    EXPECT_FALSE(plan.returnsToSamePlace());
    EXPECT_EQ(plan.toRow, 2u);
    EXPECT_EQ(plan.rowBeforeLeaving, 2u);
    ASSERT_TRUE(planMove(decideDrop(s.A, s.d2), plan));
    EXPECT_EQ(plan.toRow, 2u);
    EXPECT_EQ(plan.rowBeforeLeaving, 3u);
    ASSERT_TRUE(planMove(decideDrop(s.d2, s.A), plan));
    EXPECT_EQ(plan.toRow, 3u);
    EXPECT_EQ(plan.rowBeforeLeaving, 3u);
}

TEST(DropRules, MoveSubtreeRefusesToMoveAFolderIntoItself)
{
    Sample s;
    EXPECT_EQ(MoveSubtree(s.tree, s.A, s.Asub), nullptr);
    EXPECT_EQ(MoveSubtree(s.tree, nullptr, s.B), nullptr);
    EXPECT_EQ(MoveSubtree(s.tree, s.b1, s.A), s.b1);
    EXPECT_EQ(s.A->child(3), s.b1);
    EXPECT_EQ(s.B->childCount(), 0u);
}

TEST(DropRules, WideFolderAndDeepChainMoveWithoutRecursion)
{
    ItemTree tree;
    Node* root = folder(tree, nullptr, "root");
    Node* wide = folder(tree, root, "wide");
    Node* target = folder(tree, root, "target");
    for (int i = 0; i < 100000; ++i) doc(tree, wide, std::to_string(i));
    Node* chain = folder(tree, root, "chain");
    Node* deepest = chain;
    for (int i = 0; i < 100000; ++i) deepest = folder(tree, deepest, "deep");
    Node* deepDoc = doc(tree, deepest, "bottom");
    TMyRec* bottomRecord = deepDoc->record();

    EXPECT_EQ(drop(tree, wide, target), 0);
    ASSERT_EQ(target->childCount(), 1u);
    EXPECT_EQ(wide->childCount(), 100000u);
    EXPECT_EQ(wide->child(99999)->caption, "99999");
    EXPECT_EQ(wide->child(42)->row(), 42u);

    // Refusal deep down walks the whole chain upwards.
    EXPECT_EQ(drop(tree, chain, deepest), ParentOntoChildMessage);
    EXPECT_EQ(decideDrop(chain, deepDoc).kind, DropKind::Unchanged);
    // The whole chain moves into another folder, and a document from its bottom back out.
    EXPECT_EQ(drop(tree, chain, wide), 0);
    EXPECT_EQ(wide->child(100000), chain);
    EXPECT_EQ(drop(tree, deepDoc, wide->child(0)), 0);
    EXPECT_EQ(wide->child(0), deepDoc);
    EXPECT_EQ(deepDoc->record(), bottomRecord);
    EXPECT_EQ(tree.size(), 3u + 100000u + 100001u + 1u);
}

// Moves between items: on a row's edge with the mouse, and one step with the keyboard.
TEST(DropRules, EdgeDropsAndKeyboardStepsMoveBetweenItems)
{
    using Decide = std::function<DropDecision(Sample&)>;
    auto step = [](Node* Sample::*node, StepMove move) -> Decide {
        return [=](Sample& s) {
            const auto plan = planStep(s.*node, move);
            return DropDecision{plan ? (applyMove(s.tree, *plan), DropKind::Unchanged) : DropKind::Refuse, s.*node, nullptr, plan ? 0 : -1};
        };
    };
    auto edge = [](Node* Sample::*dragged, Node* Sample::*target, DropSpot spot, bool open) -> Decide {
        return [=](Sample& s) { return decideDropAt(s.*dragged, s.*target, spot, open); };
    };
    const std::string same = "root .A ..a1 ..a2 ..Asub ...s1 .B ..b1 .d1 .d2 ";
    const std::tuple<Decide, std::string, int> cases[] = {
        {edge(&Sample::d2, &Sample::B, DropSpot::Above, false), "root .A ..a1 ..a2 ..Asub ...s1 .d2 .B ..b1 .d1 ", 0},
        {edge(&Sample::a1, &Sample::Asub, DropSpot::Below, false), "root .A ..a2 ..Asub ...s1 ..a1 .B ..b1 .d1 .d2 ", 0},
        {edge(&Sample::d1, &Sample::Asub, DropSpot::Below, true), "root .A ..a1 ..a2 ..Asub ...d1 ...s1 .B ..b1 .d2 ", 0},
        {edge(&Sample::A, &Sample::s1, DropSpot::Above, false), same, ParentOntoChildMessage},
        {step(&Sample::d1, StepMove::Up), "root .A ..a1 ..a2 ..Asub ...s1 .d1 .B ..b1 .d2 ", 0},
        {step(&Sample::a1, StepMove::Down), "root .A ..a2 ..a1 ..Asub ...s1 .B ..b1 .d1 .d2 ", 0},
        {step(&Sample::s1, StepMove::Out), "root .A ..a1 ..a2 ..Asub ..s1 .B ..b1 .d1 .d2 ", 0},
        {step(&Sample::d1, StepMove::In), "root .A ..a1 ..a2 ..Asub ...s1 .B ..b1 ..d1 .d2 ", 0},
        {step(&Sample::d2, StepMove::In), same, -1},  // a document above
        {step(&Sample::B, StepMove::Out), same, -1},  // the menu has one top
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [decide, after, refusal] = cases[i];
        Sample s;
        const DropDecision d = decide(s);
        MovePlan plan;
        if (planMove(d, plan) && !plan.returnsToSamePlace()) applyMove(s.tree, plan);
        EXPECT_EQ(d.refusalMessage, refusal) << "case " << i;
        EXPECT_EQ(outline(s.tree), after) << "case " << i;
    }
}
