#include <gtest/gtest.h>

#include "tree/ItemPlacement.h"
#include "tree/ItemTree.h"

using namespace quillmap;

namespace {

Node* addFolder(ItemTree& tree, Node* parent, const std::string& caption)
{
    return tree.append(parent, caption, ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
}
Node* addDoc(ItemTree& tree, Node* parent, const std::string& caption)
{
    return tree.append(parent, caption, DocumentImage, std::make_unique<TMyRec>(TMyRec::documentDefaults()));
}

}  // namespace

TEST(ItemTree, AbsoluteIndexFollowsPreOrderAcrossInsertsAndRemovals)
{
    ItemTree tree;
    Node* root = addFolder(tree, nullptr, "root");
    Node* a = addFolder(tree, root, "a");
    Node* a1 = addDoc(tree, a, "a1");
    Node* b = addFolder(tree, root, "b");
    Node* a2 = addDoc(tree, a, "a2");
    EXPECT_EQ(tree.size(), 5u);
    EXPECT_EQ(tree.absoluteIndex(root), 0);
    EXPECT_EQ(tree.absoluteIndex(a), 1);
    EXPECT_EQ(tree.absoluteIndex(a1), 2);
    EXPECT_EQ(tree.absoluteIndex(a2), 3);
    EXPECT_EQ(tree.absoluteIndex(b), 4);
    EXPECT_EQ(tree.itemAt(3), a2);
    EXPECT_EQ(tree.itemAt(5), nullptr);
    EXPECT_EQ(tree.absoluteIndex(nullptr), -1);

    tree.remove(a);
    EXPECT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree.absoluteIndex(b), 1);
    EXPECT_EQ(b->row(), 0u);
}

TEST(ItemTree, SecondTopLevelItemComesAfterTheWholeRootSubtree)
{
    ItemTree tree;
    Node* root = addFolder(tree, nullptr, "root");
    addDoc(tree, root, "d");
    Node* second = addFolder(tree, nullptr, "second");
    EXPECT_EQ(tree.absoluteIndex(second), 2);
    EXPECT_EQ(tree.itemAt(2), second);
}

TEST(ItemTree, DeepChainAndWideFolderNeedNoRecursion)
{
    ItemTree tree;
    Node* node = addFolder(tree, nullptr, "root");
    for (int i = 0; i < 100000; ++i) node = addFolder(tree, node, "deep");
    EXPECT_EQ(tree.absoluteIndex(node), 100000);
    Node* wide = addFolder(tree, tree.root(), "wide");
    Node* last = nullptr;
    for (int i = 0; i < 100000; ++i) last = addDoc(tree, wide, "doc");
    EXPECT_EQ(tree.absoluteIndex(last), 200001);
    EXPECT_EQ(tree.preorder().size(), tree.size());
    tree.clear();  // would overflow the stack if destruction recursed
    EXPECT_TRUE(tree.empty());
}

TEST(ItemTree, DetachAndInsertKeepTheSameRecords)
{
    ItemTree tree;
    Node* root = addFolder(tree, nullptr, "root");
    Node* a = addFolder(tree, root, "a");
    Node* doc = addDoc(tree, a, "doc");
    TMyRec* record = doc->record();
    Node* b = addFolder(tree, root, "b");
    Node* moved = tree.insert(b, 0, tree.detach(a));
    EXPECT_EQ(moved, a);
    EXPECT_EQ(moved->child(0)->record(), record);
    EXPECT_EQ(tree.absoluteIndex(doc), 3);
    EXPECT_TRUE(ItemTree::isAncestorOf(b, doc));
    EXPECT_FALSE(ItemTree::isAncestorOf(doc, b));
    EXPECT_FALSE(ItemTree::isAncestorOf(a, nullptr));
}

TEST(ItemPlacement, NewFolderAndDocumentFollowTheSelection)
{
    ItemTree tree;
    NewItemCaptions captions;
    Placement first = placeNewFolder(tree, nullptr, captions);
    EXPECT_EQ(first.parent, nullptr);
    EXPECT_EQ(first.caption, "Root Folder");
    EXPECT_FALSE(placeNewDocument(nullptr, captions).has_value());

    Node* root = addFolder(tree, nullptr, first.caption);
    Node* sub = addFolder(tree, root, "sub");
    Node* doc = addDoc(tree, sub, "doc");

    EXPECT_EQ(placeNewFolder(tree, root, captions).parent, root);
    EXPECT_EQ(placeNewFolder(tree, doc, captions).parent, sub);
    Placement unselected = placeNewFolder(tree, nullptr, captions);
    EXPECT_EQ(unselected.parent, root);
    EXPECT_EQ(unselected.caption, "Folder");
    EXPECT_EQ(placeNewDocument(doc, captions)->parent, sub);
    EXPECT_EQ(placeNewDocument(sub, captions)->caption, "New Document");

    // A document at the top level (only a project file can make one).
    Node* topDoc = addDoc(tree, nullptr, "top");
    EXPECT_EQ(placeNewFolder(tree, topDoc, captions).parent, nullptr);
    EXPECT_EQ(placeNewDocument(topDoc, captions)->parent, topDoc);
}
