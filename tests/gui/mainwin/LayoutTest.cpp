#include "tests/gui/mainwin/MainWindowFixture.h"

namespace quillmap::test {
namespace {

using Layout = MainWindowTest;

std::vector<std::pair<QWidget*, QPoint>> rightColumn(TForm1& w)
{
    std::vector<std::pair<QWidget*, QPoint>> column;
    for (QWidget* c : std::initializer_list<QWidget*>{w.btnAddFolder, w.btnAddDoc, w.btnRemove, w.GroupBox1, w.GroupBox2,
                                                      w.GroupBox3, w.btnBuild_Test, w.btnBuild, w.btnBrowseOUT,
                                                      w.panelHelp, w.btnMoreHelp})
        column.emplace_back(c, c->pos());
    return column;
}

// The minimum size is the whole window's, frame included.
TEST_F(Layout, NarrowingToTheMinimumShrinksOnlyTheTree)
{
    TForm1& w = window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QSize frame = w.frameGeometry().size() - w.size();
    const auto before = rightColumn(w);
    const QPoint captionInGroup = w.txtCaption->pos();
    const QSize groupSize = w.GroupBox1->size();

    w.resize(446 - frame.width(), 452);
    EXPECT_EQ(w.frameGeometry().width(), 446);
    const int dx = 582 - w.width();
    EXPECT_EQ(w.Tree2->geometry(), QRect(3, 8, 235 - dx, 441));
    for (const auto& [control, pos] : before)
        EXPECT_EQ(control->pos(), pos - QPoint(dx, 0)) << control->objectName().toStdString();
    EXPECT_EQ(w.txtCaption->pos(), captionInGroup);
    EXPECT_EQ(w.GroupBox1->size(), groupSize);

    w.resize(300, 200);
    EXPECT_EQ(w.frameGeometry().size(), QSize(446, 450));
}

TEST_F(Layout, TallerWindowLengthensTheTreeOnly)
{
    TForm1& w = window();
    w.show();
    const auto before = rightColumn(w);
    w.resize(582, 652);
    EXPECT_EQ(w.Tree2->geometry(), QRect(3, 8, 235, 641));
    for (const auto& [control, pos] : before) EXPECT_EQ(control->pos(), pos) << control->objectName().toStdString();
    EXPECT_EQ(w.btnMoreHelp->pos(), QPoint(473, 422));

    w.resize(800, 652);
    EXPECT_EQ(w.Tree2->geometry(), QRect(3, 8, 453, 641));
    EXPECT_EQ(w.btnMoreHelp->pos(), QPoint(473 + 218, 422));
    EXPECT_EQ(w.btnMoreHelp->size(), QSize(104, 26));
}

TEST_F(Layout, TreeSettings)
{
    TForm1& w = window();
    EXPECT_FALSE(w.Tree2->rootIsDecorated());
    EXPECT_EQ(w.Tree2->indentation(), 19);
    EXPECT_EQ(w.Tree2->iconSize(), QSize(16, 22));
    EXPECT_FALSE(w.Tree2->isSortingEnabled());
    EXPECT_TRUE(w.Tree2->isHeaderHidden());
    EXPECT_TRUE(w.Tree2->editTriggers() & QAbstractItemView::SelectedClicked);
    EXPECT_TRUE(w.Tree2->editTriggers() & QAbstractItemView::EditKeyPressed);
    const QPalette p = w.Tree2->palette();
    EXPECT_EQ(p.color(QPalette::Inactive, QPalette::Highlight), p.color(QPalette::Active, QPalette::Highlight));
    buildSmallTree();
    w.show();
    EXPECT_EQ(w.Tree2->visualRect(w.model().indexOf(item(0))).height(), 22);
    // The root's children sit one indentation step to its right.
    const int rootX = w.Tree2->visualRect(w.model().indexOf(item(0))).x();
    const int childX = w.Tree2->visualRect(w.model().indexOf(item(1))).x();
    EXPECT_EQ(childX - rootX, 19);
}

}  // namespace
}  // namespace quillmap::test
