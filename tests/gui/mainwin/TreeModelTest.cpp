#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "tree/TreeModel.h"

namespace quillmap::test {
namespace {

std::unique_ptr<TMyRec> folderRecord() { return std::make_unique<TMyRec>(TMyRec::folderDefaults()); }

TEST(TreeModel, StaysConsistentThroughAddsRemovesAndResets)
{
    TreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Node* root = model.appendItem(nullptr, "root", ClosedFolderImage, folderRecord());
    Node* a = model.appendItem(root, "a", ClosedFolderImage, folderRecord());
    Node* a1 = model.appendItem(a, "a1", DocumentImage, std::make_unique<TMyRec>(TMyRec::documentDefaults()));
    Node* b = model.appendItem(root, "b", ClosedFolderImage, folderRecord());
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.rowCount(model.indexOf(root)), 2);
    EXPECT_EQ(model.nodeOf(model.index(1, 0, model.indexOf(root))), b);
    EXPECT_EQ(model.parent(model.indexOf(a1)), model.indexOf(a));
    EXPECT_EQ(model.indexOf(a1).row(), 0);
    EXPECT_EQ(model.index(0, 0, model.indexOf(a1)), QModelIndex());
    EXPECT_EQ(model.index(2, 0, model.indexOf(root)), QModelIndex());

    model.removeItem(a);
    EXPECT_EQ(model.tree().size(), 2u);
    EXPECT_EQ(model.indexOf(b).row(), 0);

    auto replacement = std::make_unique<ItemTree>();
    replacement->append(nullptr, "other", DocumentImage);
    model.reset(std::move(replacement));
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0, 0).data().toString(), "other");
    model.reset();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(TreeModel, CaptionsAndPicturesAnnounceTheirChanges)
{
    TreeModel model;
    Node* root = model.appendItem(nullptr, "r\xC3\xA9sum\xC3\xA9", ClosedFolderImage, folderRecord());
    const QModelIndex index = model.indexOf(root);
    EXPECT_EQ(index.data(Qt::DisplayRole).toString(), QString::fromUtf8("résumé"));
    EXPECT_EQ(index.data(Qt::EditRole).toString(), QString::fromUtf8("résumé"));
    EXPECT_TRUE(model.flags(index) & Qt::ItemIsEditable);

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setCaption(root, "Home");
    model.setImageIndex(root, OpenFolderImage);
    model.setImageIndex(root, OpenFolderImage);  // no change, no signal
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(root->selectedImageIndex, OpenFolderImage);
}

TEST(TreeModel, InPlaceEditIsAnnouncedBeforeItIsStored)
{
    TreeModel model;
    Node* root = model.appendItem(nullptr, "old", ClosedFolderImage, folderRecord());
    std::string captionSeenByReceiver;
    QString textSeen;
    QObject::connect(&model, &TreeModel::captionEdited, [&](Node* node, const QString& text) {
        captionSeenByReceiver = node->caption;
        textSeen = text;
    });
    EXPECT_TRUE(model.setData(model.indexOf(root), QString("new\r\nname")));
    EXPECT_EQ(captionSeenByReceiver, "old");
    EXPECT_EQ(textSeen, "newname");
    EXPECT_EQ(root->caption, "newname");
    EXPECT_FALSE(model.setData(model.indexOf(root), QString("x"), Qt::DisplayRole));
    EXPECT_EQ(root->caption, "newname");
}

TEST(TreeModel, DeepAndWideTreesNeedNoRecursion)
{
    TreeModel model;
    Node* node = model.appendItem(nullptr, "root", ClosedFolderImage, folderRecord());
    for (int i = 0; i < 100000; ++i) node = model.appendItem(node, "deep", ClosedFolderImage, folderRecord());
    EXPECT_EQ(model.parent(model.indexOf(node)).internalPointer(), node->parent());
    Node* wide = model.appendItem(model.tree().root(), "wide", ClosedFolderImage, folderRecord());
    for (int i = 0; i < 100000; ++i) model.appendItem(wide, "doc", DocumentImage, nullptr);
    EXPECT_EQ(model.rowCount(model.indexOf(wide)), 100000);
    EXPECT_EQ(model.indexOf(wide->child(99999)).row(), 99999);
    model.removeItem(model.tree().root());
    EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
}  // namespace quillmap::test
