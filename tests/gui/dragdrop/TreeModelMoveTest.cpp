// The model's two ways of moving an item, as the view hears of them.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "tree/TreeModel.h"

namespace quillmap::test {
namespace {

// root: a (a1, a2), b, c
struct Model {
    TreeModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    Node *root, *a, *a1, *a2, *b, *c;
    Model()
    {
        root = add(nullptr, "root", ClosedFolderImage);
        a = add(root, "a", ClosedFolderImage);
        a1 = add(a, "a1", DocumentImage);
        a2 = add(a, "a2", DocumentImage);
        b = add(root, "b", DocumentImage);
        c = add(root, "c", ClosedFolderImage);
    }
    Node* add(Node* parent, const std::string& caption, int image)
    {
        return model.appendItem(parent, caption, image, std::make_unique<TMyRec>());
    }
    MovePlan plan(DropKind kind, Node* dragged, Node* target)
    {
        MovePlan p;
        EXPECT_TRUE(planMove({kind, dragged, target, 0}, p));
        return p;
    }
};

TEST(TreeModelMove, SameNodesMoveWithOneRowsMovedNotice)
{
    Model m;
    QSignalSpy moved(&m.model, &QAbstractItemModel::rowsMoved);
    QSignalSpy removed(&m.model, &QAbstractItemModel::rowsRemoved);
    const QPersistentModelIndex a1Index = m.model.indexOf(m.a1);

    EXPECT_EQ(m.model.moveItem(m.plan(DropKind::MoveBefore, m.a1, m.b)), m.a1);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(removed.count(), 0);
    EXPECT_EQ(moved[0][0].value<QModelIndex>(), m.model.indexOf(m.a));  // from a, row 0
    EXPECT_EQ(moved[0][1].toInt(), 0);
    EXPECT_EQ(moved[0][3].value<QModelIndex>(), m.model.indexOf(m.root));
    EXPECT_EQ(moved[0][4].toInt(), 1);  // before b, which was row 1
    EXPECT_EQ(m.a1->parent(), m.root);
    EXPECT_EQ(m.a1->row(), 1u);
    EXPECT_EQ(m.model.nodeOf(a1Index), m.a1);  // the view's own references follow the item
    EXPECT_EQ(a1Index.row(), 1);

    // Down within one folder: a goes just before b.
    m.model.moveItem(m.plan(DropKind::MoveBefore, m.a, m.b));
    EXPECT_EQ(m.root->child(0)->caption, "a1");
    EXPECT_EQ(m.root->child(1)->caption, "a");
    EXPECT_EQ(m.root->child(2)->caption, "b");
}

TEST(TreeModelMove, PlanThatReturnsToTheSamePlaceChangesNothing)
{
    Model m;
    QSignalSpy moved(&m.model, &QAbstractItemModel::rowsMoved);
    QSignalSpy layout(&m.model, &QAbstractItemModel::layoutChanged);
    EXPECT_EQ(m.model.moveItem(m.plan(DropKind::MoveBefore, m.a1, m.a2)), m.a1);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(layout.count(), 0);
    EXPECT_EQ(m.a->child(0), m.a1);
    EXPECT_EQ(m.a->child(1), m.a2);
}

TEST(TreeModelMove, AsNewTheItemLeavesAndArrivesWithItsSubtreeAndRecords)
{
    Model m;
    QSignalSpy removed(&m.model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy inserted(&m.model, &QAbstractItemModel::rowsInserted);
    QSignalSpy moved(&m.model, &QAbstractItemModel::rowsMoved);
    const TMyRec* recordA = m.a->record();
    const TMyRec* recordA2 = m.a2->record();
    const QPersistentModelIndex a2Index = m.model.indexOf(m.a2);

    EXPECT_EQ(m.model.moveItemAsNew(m.plan(DropKind::MoveInto, m.a, m.c)), m.a);
    EXPECT_EQ(moved.count(), 0);
    ASSERT_EQ(removed.count(), 1);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(removed[0][0].value<QModelIndex>(), m.model.indexOf(m.root));
    EXPECT_EQ(removed[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][0].value<QModelIndex>(), m.model.indexOf(m.c));
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_FALSE(a2Index.isValid());  // the view forgets what it knew of the moved rows

    EXPECT_EQ(m.c->child(0), m.a);
    EXPECT_EQ(m.a->record(), recordA);
    EXPECT_EQ(m.a->child(1), m.a2);
    EXPECT_EQ(m.a2->record(), recordA2);
    EXPECT_EQ(m.model.tree().size(), 6u);
    EXPECT_EQ(m.model.tree().absoluteIndex(m.a2), 5);
}

}  // namespace
}  // namespace quillmap::test
