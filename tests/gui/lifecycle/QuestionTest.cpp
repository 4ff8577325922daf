// The unsaved-changes question before New, Open and closing the window, and New itself.
#include "tests/gui/lifecycle/LifecycleFixture.h"

namespace quillmap::test {
namespace {

using Answer = Prompts::Answer;
using UnsavedQuestion = LifecycleTest;

// Unnamed, the question shows two blanks; named, the file name without its folder.
TEST_F(UnsavedQuestion, Text)
{
    buildUnsavedTree();
    TForm1& w = form();
    fake.prompts.answers = {Answer::Cancel, Answer::Cancel};
    w.btnNew->click();
    fake.prompts.fileNames.push_back(projectPath("named.qmp"));
    w.btnSAVE->click();
    w.txtCaption->setText("Edited");
    w.btnNew->click();
    EXPECT_EQ(fake.prompts.texts("yesnocancel"),
              QStringList({"Save changes to  project?", "Save changes to named.qmp project?"}));
}

TEST_F(UnsavedQuestion, NotAskedWithoutChangesOrItems)
{
    TForm1& w = form();
    w.btnNew->click();
    EXPECT_TRUE(requestClose());
    // Removing every item leaves the project unsaved, but there is nothing to lose.
    buildSmallTree();
    w.items().selectNode(w.document().tree().root());
    fake.prompts.answers.push_back(Answer::Yes);  // the root question of Remove
    w.btnRemove->click();
    ASSERT_TRUE(w.document().tree().empty());
    ASSERT_FALSE(w.document().Saved);
    fake.prompts.clear();
    EXPECT_TRUE(requestClose());
    EXPECT_TRUE(fake.prompts.shown.empty());
}

TEST_F(UnsavedQuestion, NewCancelChangesNothing)
{
    buildUnsavedTree();
    TForm1& w = form();
    const auto before = items();
    TfrmColors* colors = &w.frmColors();
    fake.prompts.answers.push_back(Answer::Cancel);
    w.btnNew->click();
    EXPECT_EQ(items(), before);
    EXPECT_FALSE(w.document().Saved);
    EXPECT_EQ(&w.frmColors(), colors);
    EXPECT_EQ(kinds(), QStringList({"yesnocancel"}));
}

TEST_F(UnsavedQuestion, NewNoDiscardsTheTree)
{
    buildUnsavedTree();
    TForm1& w = form();
    fake.prompts.answers.push_back(Answer::No);
    w.btnNew->click();
    EXPECT_TRUE(w.document().tree().empty());
    EXPECT_TRUE(w.document().Saved);
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0");
    // Only the question: New removes the root without asking the Remove question.
    EXPECT_EQ(kinds(), QStringList({"yesnocancel"}));
}

TEST_F(UnsavedQuestion, NewYesSavesFirstAndACancelledSaveStopsIt)
{
    buildUnsavedTree();
    TForm1& w = form();
    const QString path = projectPath("kept.qmp");
    fake.prompts.answers.push_back(Answer::Yes);
    fake.prompts.fileNames.push_back(path);
    w.btnNew->click();
    EXPECT_EQ(kinds(), QStringList({"yesnocancel", "save"}));
    EXPECT_NE(readBytes(path).find("New Document"), std::string::npos);
    EXPECT_TRUE(w.document().tree().empty());
    EXPECT_TRUE(w.document().ProjectFileName.isEmpty());
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0");

    buildSmallTree();
    const auto before = items();
    fake.prompts.clear();
    fake.prompts.answers.push_back(Answer::Yes);  // and the save dialog is cancelled
    w.btnNew->click();
    EXPECT_EQ(kinds(), QStringList({"yesnocancel", "save"}));
    EXPECT_EQ(items(), before);
    EXPECT_FALSE(w.document().Saved);

    // Open likewise: no open dialog follows, nothing is replaced.
    fake.prompts.clear();
    fake.prompts.answers.push_back(Answer::Yes);
    w.btnOPEN->click();
    EXPECT_EQ(kinds(), QStringList({"yesnocancel", "save"}));
    EXPECT_EQ(items(), before);
    EXPECT_FALSE(w.document().Saved);
}

TEST_F(UnsavedQuestion, OpenCancelShowsNoDialog)
{
    buildUnsavedTree();
    TForm1& w = form();
    const auto before = items();
    fake.prompts.answers.push_back(Answer::Cancel);
    openThroughButton(writeProject("example.qmp", exampleFileText()));
    EXPECT_EQ(kinds(), QStringList({"yesnocancel"}));
    EXPECT_EQ(items(), before);
    EXPECT_FALSE(w.document().Saved);
}

TEST_F(UnsavedQuestion, OpenYesSavesBeforeTheDialog)
{
    buildUnsavedTree();
    TForm1& w = form();
    fake.prompts.fileNames.push_back(projectPath("mine.qmp"));
    w.btnSAVE->click();
    w.txtCaption->setText("Edited");
    fake.prompts.clear();

    fake.prompts.answers.push_back(Answer::Yes);
    openThroughButton(writeProject("example.qmp", exampleFileText()));
    // Saved to the current file without a dialog, then the open dialog.
    EXPECT_EQ(kinds(), QStringList({"yesnocancel", "open"}));
    EXPECT_NE(readBytes(projectPath("mine.qmp")).find("\t\tEdited\r\n"), std::string::npos);
    EXPECT_EQ(w.document().tree().root()->caption, "Root Folder");
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0 - example.qmp");
}

TEST_F(UnsavedQuestion, OpenNoThenCancelledDialogKeepsEverything)
{
    buildUnsavedTree();
    TForm1& w = form();
    const auto before = items();
    fake.prompts.answers.push_back(Answer::No);
    w.btnOPEN->click();  // the open dialog is cancelled
    EXPECT_EQ(kinds(), QStringList({"yesnocancel", "open"}));
    ASSERT_EQ(fake.prompts.dialogs.size(), 1u);
    EXPECT_EQ(fake.prompts.dialogs[0].folder, appFolder() + "Projects");
    EXPECT_TRUE(fake.prompts.dialogs[0].fileName.isEmpty());
    EXPECT_EQ(fake.prompts.dialogs[0].filter, "Quillmap Projects (*.qmp)|*.qmp|All Files (*.*)|*.*");
    EXPECT_EQ(fake.prompts.dialogs[0].defaultSuffix, "qmp");
    EXPECT_EQ(items(), before);
    EXPECT_FALSE(w.document().Saved);
}

TEST_F(UnsavedQuestion, ClosingFollowsTheAnswer)
{
    buildUnsavedTree();
    TForm1& w = form();
    fake.prompts.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(requestClose());
    fake.prompts.answers.push_back(Answer::No);
    EXPECT_TRUE(requestClose());
    EXPECT_TRUE(QDir(folder.path() + "/Projects").entryList(QDir::Files).isEmpty());

    // Yes saves; a cancelled save dialog keeps the window open with the changes.
    fake.prompts.answers.push_back(Answer::Yes);
    EXPECT_FALSE(requestClose());
    EXPECT_FALSE(w.document().Saved);
    fake.prompts.answers.push_back(Answer::Yes);
    fake.prompts.fileNames.push_back(projectPath("closing.qmp"));
    EXPECT_TRUE(requestClose());
    EXPECT_TRUE(QFile::exists(projectPath("closing.qmp")));
    EXPECT_TRUE(w.document().Saved);
    EXPECT_EQ(kinds(), QStringList({"yesnocancel", "yesnocancel", "yesnocancel", "save", "yesnocancel", "save"}));
}

// Closing after Yes with a save that fails would lose the changes: the window stays open.
TEST_F(UnsavedQuestion, ClosingStaysOpenWhenTheSaveFails)
{
    buildUnsavedTree();
    fake.prompts.answers.push_back(Answer::Yes);
    fake.prompts.fileNames.push_back(folder.path() + "/missing/x.qmp");
    EXPECT_FALSE(requestClose());
    ASSERT_EQ(fake.prompts.texts("error").size(), 1);
    EXPECT_TRUE(fake.prompts.texts("error")[0].startsWith("Cannot create file"));
    EXPECT_FALSE(form().document().Saved);
}

using NewCommand = LifecycleTest;

TEST_F(NewCommand, ResetsOptionsAndColoursButNotAutoClose)
{
    buildUnsavedTree();
    TForm1& w = form();
    w.txtTFRAME->setText("content");
    w.chkUSETEXTLINKS->setChecked(false);
    w.chkAutoClose->setChecked(true);
    w.frmColors().setColor(1, {1, 2, 3});
    w.frmColors().setStyle(0, 2);
    w.frmColors().show();
    TfrmColors* old = &w.frmColors();
    fake.prompts.answers.push_back(Answer::No);
    w.btnNew->click();

    EXPECT_NE(&w.frmColors(), old);
    EXPECT_TRUE(old->isHidden());
    EXPECT_TRUE(w.frmColors().isHidden());
    EXPECT_EQ(w.frmColors().look(), MenuLook{});
    settle();  // the old window goes once the event is over

    EXPECT_EQ(w.txtTFRAME->text(), "main_frame");
    EXPECT_EQ(w.boxTarget->itemText(0), "main_frame");
    EXPECT_TRUE(w.chkUSETEXTLINKS->isChecked());
    EXPECT_TRUE(w.chkAutoClose->isChecked());
    EXPECT_TRUE(w.txtCaption->text().isEmpty());
    EXPECT_TRUE(w.txtURL->text().isEmpty());
    EXPECT_FALSE(w.boxTarget->isEnabled());
    EXPECT_FALSE(w.lblLinkTarget->isEnabled());
    EXPECT_FALSE(w.boxOpenFolder->isEnabled());
    EXPECT_FALSE(w.lblInitialState->isEnabled());
    EXPECT_TRUE(w.document().Saved);
    EXPECT_FALSE(w.document().Updating);
    EXPECT_EQ(w.btnSAVE->toolTip(), "Save as... (Ctrl+S)");
}

TEST_F(NewCommand, OnEmptyTreeStillRenewsColoursWindowAndOptions)
{
    TForm1& w = form();
    w.txtTFRAME->setText("x");
    TfrmColors* old = &w.frmColors();
    w.btnNew->click();
    EXPECT_TRUE(fake.prompts.shown.empty());
    EXPECT_NE(&w.frmColors(), old);
    EXPECT_EQ(w.txtTFRAME->text(), "main_frame");
    EXPECT_TRUE(w.document().Saved);
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0");
}

TEST_F(NewCommand, TitleUsesCurrentTitleText)
{
    buildUnsavedTree();
    TForm1& w = form();
    w.TitleText = "Baum 3";
    fake.prompts.answers.push_back(Answer::No);
    w.btnNew->click();
    EXPECT_EQ(w.windowTitle(), "Baum 3");
    EXPECT_EQ(applicationTitle(), "Baum 3");
}

// An empty line in a project's outline makes a second top-level item; New removes it too.
TEST_F(NewCommand, RemovesEveryTopLevelItem)
{
    std::string text = exampleFileText();
    text.replace(text.find("\t\tReadme\r\n"), 10, "\t\tReadme\r\n\r\n");
    // The extra item needs a line in every block for the file to load to its end.
    for (const char* marker : {"/---- * QMAP URLs", "/---- * QMAP Trgts", "/---- * QMAP OpenFolders", "/---- * QMAP Opt"})
        text.insert(text.find(marker), "0\r\n");
    TForm1& w = form();
    openThroughButton(writeProject("two_tops.qmp", text));
    ASSERT_EQ(w.document().tree().topLevel().size(), 2u) << fake.prompts.texts("error").join("|").toStdString();
    w.txtCaption->setText("Edited");
    fake.prompts.answers.push_back(Answer::No);
    w.btnNew->click();
    EXPECT_TRUE(w.document().tree().empty());
    EXPECT_EQ(w.Tree2->model()->rowCount(), 0);
    EXPECT_TRUE(fake.prompts.texts("error").isEmpty());
}

}  // namespace
}  // namespace quillmap::test
