#include "tests/gui/mainwin/MainWindowFixture.h"
#include "tree/ImageList1.h"

namespace quillmap::test {
namespace {

using ItemCommands = MainWindowTest;

TEST_F(ItemCommands, NewFolderOnEmptyTreeCreatesTheRoot)
{
    TForm1& w = window();
    w.btnAddFolder->click();
    ASSERT_EQ(w.document().tree().size(), 1u);
    Node* root = w.document().tree().root();
    EXPECT_EQ(root->caption, "Root Folder");
    EXPECT_EQ(root->imageIndex, ClosedFolderImage);
    EXPECT_EQ(root->selectedImageIndex, ClosedFolderImage);
    EXPECT_EQ(*root->record(), TMyRec::folderDefaults());
    EXPECT_EQ(w.items().selectedNode(), root);
    EXPECT_TRUE(w.Tree2->selectionModel()->isSelected(w.document().model().indexOf(root)));
    EXPECT_EQ(w.txtCaption->text(), "Root Folder");
    EXPECT_FALSE(w.boxOpenFolder->isEnabled());
    EXPECT_EQ(w.boxOpenFolder->currentText(), "Opened");
    EXPECT_FALSE(w.document().Saved);
    EXPECT_TRUE(fake.prompts.shown.empty());
}

TEST_F(ItemCommands, NewFolderPlacementFollowsTheSelection)
{
    TForm1& w = window();
    buildSmallTree();  // Root / New Folder / New Document (selected)
    w.btnAddFolder->click();  // beside the document: last child of its parent
    EXPECT_EQ(item(1)->childCount(), 2u);
    EXPECT_EQ(item(1)->child(1)->caption, "New Folder");
    EXPECT_EQ(item(1)->child(1)->imageIndex, ClosedFolderImage);

    w.items().selectNode(w.document().tree().root());
    w.btnAddFolder->click();
    EXPECT_EQ(w.document().tree().root()->childCount(), 2u);
    EXPECT_EQ(w.document().tree().root()->child(1)->caption, "New Folder");
    EXPECT_EQ(w.items().selectedNode(), w.document().tree().root()->child(1));

    // Nothing selected (right-click on empty space): "Folder" as the root's last child.
    w.Tree2->selectionModel()->clear();
    w.btnAddFolder->click();
    EXPECT_EQ(w.document().tree().root()->childCount(), 3u);
    EXPECT_EQ(w.document().tree().root()->child(2)->caption, "Folder");
}

TEST_F(ItemCommands, AddedItemIsShownInAnExpandedParentWithTheOpenPicture)
{
    TForm1& w = window();
    w.btnAddFolder->click();
    Node* root = w.document().tree().root();
    w.Tree2->collapse(w.document().model().indexOf(root));
    EXPECT_EQ(root->imageIndex, ClosedFolderImage);
    w.btnAddDoc->click();
    EXPECT_TRUE(w.Tree2->isExpanded(w.document().model().indexOf(root)));
    EXPECT_EQ(root->imageIndex, OpenFolderImage);
    EXPECT_EQ(root->selectedImageIndex, OpenFolderImage);
    EXPECT_EQ(root->record()->OpenState, "0");  // the picture is no initial state
}

TEST_F(ItemCommands, DocumentPlacementAndDefaults)
{
    TForm1& w = window();
    w.btnAddDoc->click();
    EXPECT_EQ(fake.prompts.texts("message"), QStringList{"Please select folder."});
    EXPECT_TRUE(w.document().tree().empty());
    EXPECT_TRUE(w.document().Saved);

    buildSmallTree();
    Node* folder = item(1);
    Node* first = folder->child(0);
    w.btnAddFolder->click();  // folder/New Folder after the document
    w.items().selectNode(first);
    w.btnAddDoc->click();     // after the last child of the document's parent
    ASSERT_EQ(folder->childCount(), 3u);
    Node* added = folder->child(2);
    EXPECT_EQ(added->caption, "New Document");
    EXPECT_EQ(added->imageIndex, DocumentImage);
    EXPECT_EQ(added->selectedImageIndex, DocumentImage);
    EXPECT_EQ(*added->record(), TMyRec::documentDefaults());
    EXPECT_EQ(w.items().selectedNode(), added);
    EXPECT_TRUE(w.boxTarget->isEnabled());
    EXPECT_TRUE(w.boxImg->isEnabled());
    EXPECT_FALSE(w.boxOpenFolder->isEnabled());
    EXPECT_EQ(w.boxOpenFolder->currentIndex(), -1);
}

TEST_F(ItemCommands, DocumentWithoutParentTakesTheNewDocument)
{
    TForm1& w = window();
    // Only a project file can put a document at the top level; build one through the model.
    Node* loose = w.document().model().appendItem(nullptr, "loose", DocumentImage,
                                       std::make_unique<TMyRec>(TMyRec::documentDefaults()));
    w.items().selectNode(loose);
    w.btnAddDoc->click();
    ASSERT_EQ(loose->childCount(), 1u);
    EXPECT_EQ(loose->child(0)->caption, "New Document");
    w.items().selectNode(loose);
    w.btnAddFolder->click();
    EXPECT_EQ(w.document().tree().topLevel().size(), 2u);
    EXPECT_EQ(w.document().tree().topLevel()[1]->caption, "New Folder");
}

TEST_F(ItemCommands, AfterAddingTheCaptionBoxHasFocusWithItsTextSelected)
{
    TForm1& w = window();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.btnAddFolder->click();
    EXPECT_TRUE(w.txtCaption->hasFocus());
    EXPECT_EQ(w.txtCaption->selectedText(), "Root Folder");
    QTest::keyClicks(w.txtCaption, "Home");
    EXPECT_EQ(w.document().tree().root()->caption, "Home");

    w.btnAddDoc->click();
    EXPECT_EQ(w.txtCaption->selectedText(), "New Document");
    QTest::keyClicks(w.txtCaption, "Contact");
    EXPECT_EQ(w.document().tree().root()->child(0)->caption, "Contact");
}

TEST_F(ItemCommands, RemoveWithNothingSelected)
{
    TForm1& w = window();
    w.btnRemove->click();
    EXPECT_EQ(fake.prompts.texts("message"), QStringList{"Nothing selected"});
    EXPECT_TRUE(w.document().Saved);
    buildSmallTree();
    w.SetSaved(true);
    w.Tree2->selectionModel()->clear();
    w.btnRemove->click();
    EXPECT_EQ(fake.prompts.texts("message").size(), 2);
    EXPECT_EQ(w.document().tree().size(), 3u);
    EXPECT_TRUE(w.document().Saved);
}

TEST_F(ItemCommands, RemoveRootAsksFirst)
{
    TForm1& w = window();
    buildSmallTree();
    w.items().selectNode(w.document().tree().root());
    w.SetSaved(true);

    fake.prompts.answers = {Prompts::Answer::No};
    w.btnRemove->click();
    EXPECT_EQ(fake.prompts.texts("yesno"), QStringList{"Remove root node? (all tree will be deleted)"});
    EXPECT_EQ(w.document().tree().size(), 3u);
    EXPECT_TRUE(w.document().Saved);

    w.txtURL->setText("index.html");
    w.SetSaved(true);
    fake.prompts.answers = {Prompts::Answer::Yes};
    w.btnRemove->click();
    EXPECT_TRUE(w.document().tree().empty());
    EXPECT_EQ(w.items().selectedNode(), nullptr);
    EXPECT_TRUE(w.txtCaption->text().isEmpty());
    EXPECT_TRUE(w.txtURL->text().isEmpty());
    EXPECT_FALSE(w.document().Saved);
    EXPECT_FALSE(w.document().Updating);
    EXPECT_TRUE(w.boxOpenFolder->currentText().isEmpty());

    w.btnAddFolder->click();
    EXPECT_EQ(w.document().tree().root()->caption, "Root Folder");
}

TEST_F(ItemCommands, RemoveFromNewAsksNothing)
{
    TForm1& w = window();
    buildSmallTree();
    w.items().selectNode(w.document().tree().root());
    w.items().btnRemoveClick(false);
    EXPECT_TRUE(w.document().tree().empty());
    EXPECT_TRUE(fake.prompts.shown.empty());
}

TEST_F(ItemCommands, RemoveTakesTheSubtreeAndSelectsANeighbour)
{
    TForm1& w = window();
    buildSmallTree();
    Node* folder = item(1);
    w.items().selectNode(folder);
    w.btnAddDoc->click();
    w.btnAddFolder->click();
    w.btnAddDoc->click();  // root / folder / {doc, doc, folder / doc}
    w.items().selectNode(w.document().tree().root());
    w.btnAddDoc->click();  // root / {folder, doc}
    ASSERT_EQ(w.document().tree().size(), 7u);

    w.items().selectNode(folder);
    w.SetSaved(true);
    w.btnRemove->click();
    EXPECT_TRUE(fake.prompts.shown.empty());
    EXPECT_EQ(w.document().tree().size(), 2u);
    Node* neighbour = w.document().tree().root()->child(0);
    EXPECT_EQ(w.items().selectedNode(), neighbour);
    EXPECT_TRUE(w.Tree2->selectionModel()->isSelected(w.document().model().indexOf(neighbour)));
    EXPECT_EQ(w.txtCaption->text(), "New Document");
    EXPECT_FALSE(w.document().Saved);

    // Removing the only child leaves its parent selected and shown.
    w.btnRemove->click();
    EXPECT_EQ(w.items().selectedNode(), w.document().tree().root());
    EXPECT_EQ(w.txtCaption->text(), "Root Folder");
}

TEST_F(ItemCommands, ExpandAndCollapseSwitchFolderPicturesOnly)
{
    TForm1& w = window();
    buildSmallTree();
    w.SetSaved(true);
    Node* folder = item(1);
    const QModelIndex index = w.document().model().indexOf(folder);
    w.Tree2->collapse(index);
    EXPECT_EQ(folder->imageIndex, ClosedFolderImage);
    EXPECT_EQ(folder->selectedImageIndex, ClosedFolderImage);
    w.Tree2->expand(index);
    EXPECT_EQ(folder->imageIndex, OpenFolderImage);
    EXPECT_EQ(folder->selectedImageIndex, OpenFolderImage);
    EXPECT_EQ(folder->record()->OpenState, "0");
    EXPECT_TRUE(w.document().Saved);

    // A document that holds items (only a project file makes one) stays a document.
    Node* loose = w.document().model().appendItem(nullptr, "loose", DocumentImage,
                                       std::make_unique<TMyRec>(TMyRec::documentDefaults()));
    w.document().model().appendItem(loose, "below", DocumentImage, std::make_unique<TMyRec>(TMyRec::documentDefaults()));
    w.Tree2->expand(w.document().model().indexOf(loose));
    w.Tree2->collapse(w.document().model().indexOf(loose));
    EXPECT_EQ(loose->imageIndex, DocumentImage);
}

TEST_F(ItemCommands, TreePicturesComeFromTheImageList)
{
    TForm1& w = window();
    buildSmallTree();
    const QModelIndex folder = w.document().model().indexOf(item(1));
    const QModelIndex doc = w.document().model().indexOf(item(2));
    const auto image = [](const QModelIndex& index, int role) {
        return index.data(role).value<QIcon>().pixmap(16, 22).toImage();
    };
    EXPECT_EQ(image(folder, Qt::DecorationRole), ImageList1::icon(OpenFolderImage).pixmap(16, 22).toImage());
    EXPECT_EQ(image(doc, Qt::DecorationRole), ImageList1::icon(DocumentImage).pixmap(16, 22).toImage());
    EXPECT_EQ(image(doc, TreeModel::SelectedDecorationRole), image(doc, Qt::DecorationRole));
    EXPECT_NE(image(folder, Qt::DecorationRole), image(doc, Qt::DecorationRole));
    w.Tree2->collapse(folder);
    EXPECT_EQ(image(folder, Qt::DecorationRole), ImageList1::icon(ClosedFolderImage).pixmap(16, 22).toImage());
}

}  // namespace
}  // namespace quillmap::test
