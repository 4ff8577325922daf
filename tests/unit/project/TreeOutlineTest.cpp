#include <gtest/gtest.h>

#include "text/Error.h"
#include "project/TreeExpansion.h"
#include "project/TreeOutline.h"
#include "ProjectTestSupport.h"

using namespace quillmap;
using namespace quillmap::test;

namespace {

std::vector<std::string> shape(const ItemTree& tree)
{
    std::vector<std::string> rows;
    tree.forEach([&rows](Node* n, int level) { rows.push_back(std::to_string(level) + " " + n->caption); });
    return rows;
}

void load(const Lines& lines, ItemTree& tree)
{
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    LoadTreeOutline(views, 0, views.size(), tree);
}

}  // namespace

TEST(TreeOutline, PlacesItemsBySiblingChildAndClimb)
{
    ItemTree tree;
    addItem(tree, nullptr, "old", ClosedFolderImage, {});
    load({"a", "\tb", "\t\tc", "\t\t\td", "\te", "f", "\tg", "\tg2"}, tree);
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"0 a", "1 b", "2 c", "3 d", "1 e", "0 f", "1 g", "1 g2"}));
    tree.forEach([](Node* n, int) {
        ASSERT_NE(n->record(), nullptr);
        EXPECT_EQ(*n->record(), TMyRec{});
        EXPECT_EQ(n->imageIndex, ClosedFolderImage);
    });
}

TEST(TreeOutline, BlanksAndTabsCountAlikeAndTrailingBlanksStay)
{
    ItemTree tree;
    load({"  \tA ", " B", "\t C\t", "\t"}, tree);
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"0 A ", "1 B", "2 C\t", "1 "}));
}

TEST(TreeOutline, TooDeepAStepStopsWithTheLevelAndCaption)
{
    ItemTree tree;
    try {
        load({"a", "\tb", "\t\t\t\tdeep one", "c"}, tree);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Invalid level (4) for item \"deep one\"");
    }
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"0 a", "1 b"}));
    tree.forEach([](Node* n, int) { EXPECT_NE(n->record(), nullptr); });
}

TEST(TreeOutline, EmptyRangeEmptiesTheTree)
{
    ItemTree tree;
    addItem(tree, nullptr, "old", ClosedFolderImage, {});
    load({}, tree);
    EXPECT_TRUE(tree.empty());
}

TEST(TreeOutline, ClimbingAChainOfThousandsBackToTheTopStaysIterative)
{
    Lines lines;
    for (int i = 0; i < 3000; ++i) lines.push_back(std::string(static_cast<std::size_t>(i), '\t') + "x");
    lines.push_back("second");
    ItemTree tree;
    load(lines, tree);
    EXPECT_EQ(tree.size(), 3001u);
    EXPECT_EQ(tree.topLevel().size(), 2u);
    EXPECT_EQ(tree.itemAt(2999)->level(), 2999);
}

namespace {

// r
// +- a (closed)
// |  +- b (closed)
// |     +- c (open)  +- c1
// |     +- e (open, no children)
// +- d (document, OpenState "1" by mistake) +- d1
// t (second top level, closed)
//    +- u (open) +- u1
void buildExpansionTree(ItemTree& tree)
{
    Node* r = addItem(tree, nullptr, "r", ClosedFolderImage, {"", "0", "0", ""});
    Node* a = addItem(tree, r, "a", ClosedFolderImage, {"", "0", "0", ""});
    Node* b = addItem(tree, a, "b", ClosedFolderImage, {"", "0", "0", ""});
    Node* c = addItem(tree, b, "c", ClosedFolderImage, {"", "0", "1", ""});
    addItem(tree, c, "c1", DocumentImage, {"", "0", "-1", ""});
    addItem(tree, b, "e", ClosedFolderImage, {"", "0", "1", ""});
    Node* d = addItem(tree, r, "d", DocumentImage, {"", "0", "1", ""});
    addItem(tree, d, "d1", DocumentImage, {"", "0", "-1", ""});
    Node* t = addItem(tree, nullptr, "t", ClosedFolderImage, {"", "0", "0", ""});
    Node* u = addItem(tree, t, "u", ClosedFolderImage, {"", "0", "1", ""});
    addItem(tree, u, "u1", DocumentImage, {"", "0", "-1", ""});
}

std::vector<std::string> captions(const std::vector<Node*>& nodes)
{
    std::vector<std::string> result;
    for (const Node* n : nodes) result.push_back(n->caption);
    return result;
}

}  // namespace

TEST(TreeExpansion, AncestorsNearestFirstWithoutTheRoot)
{
    ItemTree tree;
    buildExpansionTree(tree);
    EXPECT_EQ(ancestorsToExpand(tree, 4), (std::vector<int>{3, 2, 1}));  // c1: c, b, a
    EXPECT_EQ(ancestorsToExpand(tree, 10), (std::vector<int>{9, 8}));    // u1: u, t
    EXPECT_TRUE(ancestorsToExpand(tree, 1).empty());
    EXPECT_TRUE(ancestorsToExpand(tree, 8).empty());
    EXPECT_TRUE(ancestorsToExpand(tree, 0).empty());
    EXPECT_TRUE(ancestorsToExpand(tree, 99).empty());
}

TEST(TreeExpansion, AfterLoadOpenFoldersWithTheirAncestors)
{
    ItemTree tree;
    buildExpansionTree(tree);
    EXPECT_EQ(captions(itemsToExpandAfterLoad(tree)), (std::vector<std::string>{"b", "a", "c", "t", "u"}));

    ItemTree empty;
    EXPECT_TRUE(itemsToExpandAfterLoad(empty).empty());
}

TEST(TreeExpansion, ADeepChainOfOpenFoldersIsWalkedOnce)
{
    ItemTree tree;
    Node* p = nullptr;
    for (int i = 0; i < 100000; ++i) p = addItem(tree, p, "f", ClosedFolderImage, {"", "0", "1", ""});
    const auto order = itemsToExpandAfterLoad(tree);
    ASSERT_EQ(order.size(), 99998u);  // neither the root nor the innermost folder, which has no children
    EXPECT_EQ(order.front(), tree.itemAt(1));
    EXPECT_EQ(order.back()->level(), 99998);
}
