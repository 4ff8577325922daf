#include <QAction>
#include <QMenu>

#include "tests/gui/lifecycle/LifecycleFixture.h"

namespace quillmap::test {
namespace {

using SaveCommands = LifecycleTest;

TEST_F(SaveCommands, EmptyTreeIsRefusedWithoutDialog)
{
    TForm1& w = form();
    w.btnSAVE->click();
    w.projectFiles().mnuSaveAs->trigger();
    EXPECT_EQ(fake.prompts.texts("message"), QStringList({"No items to save!", "No items to save!"}));
    EXPECT_TRUE(fake.prompts.dialogs.empty());
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0");
    EXPECT_TRUE(w.document().ProjectFileName.isEmpty());
}

TEST_F(SaveCommands, FirstSaveSuggestsNewTreeInProjectsFolder)
{
    buildUnsavedTree();
    TForm1& w = form();
    const QString path = projectPath("site.qmp");
    fake.prompts.fileNames.push_back(path);
    w.btnSAVE->click();

    ASSERT_EQ(fake.prompts.dialogs.size(), 1u);
    const auto& dialog = fake.prompts.dialogs[0];
    EXPECT_EQ(fake.prompts.shown[0].kind, "save");
    EXPECT_EQ(dialog.folder, appFolder() + "Projects");
    EXPECT_EQ(dialog.fileName, "new_tree.qmp");
    EXPECT_EQ(dialog.filter, "Quillmap Projects (*.qmp)|*.qmp|All Files (*.*)|*.*");
    EXPECT_EQ(dialog.defaultSuffix, "qmp");
    EXPECT_TRUE(dialog.confirmOverwrite);

    EXPECT_TRUE(w.document().Saved);
    EXPECT_EQ(w.document().ProjectFileName, path);
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0 - site.qmp");
    EXPECT_EQ(applicationTitle(), "Quillmap 2.0 - site.qmp");
    EXPECT_EQ(w.btnSAVE->toolTip(), "Save as... (Ctrl+S)");

    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes.rfind("Quillmap Project File\r\n2000\r\nRoot Folder\r\n\tNew Folder\r\n\t\tNew Document\r\n", 0), 0u)
        << bytes;
    EXPECT_TRUE(bytes.ends_with("/---- *END IMG* ----/\r\n"));
}

TEST_F(SaveCommands, ButtonSavesAsWhenSavedAndToCurrentFileWhenNot)
{
    buildUnsavedTree();
    TForm1& w = form();
    const QString first = projectPath("first.qmp");
    fake.prompts.fileNames.push_back(first);
    w.btnSAVE->click();
    ASSERT_TRUE(w.document().Saved);
    fake.prompts.clear();

    // Nothing unsaved: a Save As that suggests the current folder and name.
    const QString second = projectPath("second.qmp");
    fake.prompts.fileNames.push_back(second);
    w.btnSAVE->click();
    ASSERT_EQ(fake.prompts.dialogs.size(), 1u);
    EXPECT_EQ(fake.prompts.dialogs[0].folder, folder.path() + "/Projects/");
    EXPECT_EQ(fake.prompts.dialogs[0].fileName, "first.qmp");
    EXPECT_EQ(w.document().ProjectFileName, second);
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0 - second.qmp");
    fake.prompts.clear();

    // After an edit the same click saves to the current file without a dialog.
    w.txtCaption->setText("Renamed Document");
    ASSERT_FALSE(w.document().Saved);
    w.btnSAVE->click();
    EXPECT_TRUE(fake.prompts.shown.empty());
    EXPECT_TRUE(w.document().Saved);
    EXPECT_NE(readBytes(second).find("\t\tRenamed Document\r\n"), std::string::npos);
    EXPECT_EQ(readBytes(first).find("Renamed Document"), std::string::npos);
}

TEST_F(SaveCommands, CancelledDialogWritesNothingAndChangesNothing)
{
    buildUnsavedTree();
    TForm1& w = form();
    w.btnSAVE->click();  // the double answers Cancel
    EXPECT_EQ(kinds(), QStringList({"save"}));
    EXPECT_FALSE(w.document().Saved);
    EXPECT_TRUE(w.document().ProjectFileName.isEmpty());
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0");
    EXPECT_TRUE(QDir(folder.path() + "/Projects").entryList(QDir::Files).isEmpty());
}

TEST_F(SaveCommands, PopupMenuSaveAndSaveAs)
{
    buildUnsavedTree();
    TForm1& w = form();
    ASSERT_EQ(w.projectFiles().popUpSave->actions(), QList<QAction*>({w.projectFiles().mnuSave, w.projectFiles().mnuSaveAs}));
    EXPECT_EQ(w.btnSAVE->contextMenuPolicy(), Qt::CustomContextMenu);

    // "Save" without a current file asks for a name.
    const QString path = projectPath("menu.qmp");
    fake.prompts.fileNames.push_back(path);
    w.projectFiles().mnuSave->trigger();
    EXPECT_EQ(kinds(), QStringList({"save"}));
    EXPECT_EQ(w.document().ProjectFileName, path);
    fake.prompts.clear();

    // "Save" with a current file writes it even when nothing changed; a file deleted meanwhile
    // is reported and written anew.
    QFile::remove(path);
    ASSERT_TRUE(w.document().Saved);
    w.projectFiles().mnuSave->trigger();
    EXPECT_EQ(fake.prompts.texts("message"), QStringList({"menu.qmp was deleted by another program. It is saved anew."}));
    EXPECT_TRUE(QFile::exists(path));
    fake.prompts.clear();

    // "Save As..." always asks, also with unsaved changes.
    w.txtURL->setText("index.html");
    ASSERT_FALSE(w.document().Saved);
    const QString other = projectPath("other.qmp");
    fake.prompts.fileNames.push_back(other);
    w.projectFiles().mnuSaveAs->trigger();
    EXPECT_EQ(kinds(), QStringList({"save"}));
    EXPECT_EQ(w.document().ProjectFileName, other);
    EXPECT_TRUE(w.document().Saved);
    EXPECT_NE(readBytes(other).find("\r\nindex.html\r\n"), std::string::npos);
}

// The file carries the options of the window and the colours and styles of the Colors window.
TEST_F(SaveCommands, OptionsColoursAndStylesAreWritten)
{
    buildUnsavedTree();
    TForm1& w = form();
    w.txtTFRAME->setText("content");
    w.chkUSETEXTLINKS->setChecked(false);
    w.chkAutoClose->setChecked(true);
    w.frmColors().setColor(0, {0x12, 0xAB, 0xEF});
    w.frmColors().setStyle(2, 3);
    w.frmColors().setStyle(1, -1);
    const QString path = projectPath("options.qmp");
    fake.prompts.fileNames.push_back(path);
    w.btnSAVE->click();

    const std::string bytes = readBytes(path);
    EXPECT_NE(bytes.find("/---- * QMAP Opt * ----/\r\ncontent\r\nNO_TextLinks\r\n#12ABEF\r\n#000000\r\n#0000FF\r\n"
                         "#0000FF\r\n#FF0000\r\n0\r\n-1\r\n3\r\nAUTO_CLOSE_YES\r\n/---- * QMAP Cust IMG * ----/\r\n"),
              std::string::npos)
        << bytes;
}

// A save that cannot write leaves the earlier file and the window's state as they were.
TEST_F(SaveCommands, FailedSaveKeepsStateAndOldFile)
{
    buildUnsavedTree();
    TForm1& w = form();
    const QString good = projectPath("kept.qmp");
    fake.prompts.fileNames.push_back(good);
    w.projectFiles().mnuSaveAs->trigger();
    ASSERT_TRUE(w.document().Saved);
    w.txtCaption->setText("Changed");
    fake.prompts.clear();

    // The error names the reason and the dialog comes back with the name; cancelling it ends
    // the save.
    const QString impossible = folder.path() + "/no such folder/x.qmp";
    fake.prompts.fileNames.push_back(impossible);
    w.projectFiles().mnuSaveAs->trigger();
    EXPECT_EQ(fake.prompts.texts("error"), QStringList{"Cannot create file " + impossible + ": no such folder."});
    ASSERT_EQ(fake.prompts.dialogs.size(), 2u);
    EXPECT_EQ(fake.prompts.dialogs[1].folder + fake.prompts.dialogs[1].fileName, impossible);
    EXPECT_FALSE(w.document().Saved);
    EXPECT_EQ(w.document().ProjectFileName, good);
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0 - kept.qmp");
    EXPECT_NE(readBytes(good).find("New Document"), std::string::npos);

    // Another place picked in the returning dialog saves there.
    const QString other = projectPath("other.qmp");
    fake.prompts.fileNames = {impossible, other};
    w.projectFiles().mnuSaveAs->trigger();
    EXPECT_TRUE(w.document().Saved);
    EXPECT_EQ(w.document().ProjectFileName, other);
    EXPECT_NE(readBytes(other).find("Changed"), std::string::npos);
}

// An installed program's folders cannot be written: the dialogs start in the user's documents
// (or home) folder instead.
TEST_F(SaveCommands, DialogsStartInTheUsersFolderWhenProjectsCannotBeWritten)
{
    buildUnsavedTree();
    TForm1& w = form();
    QDir(folder.path() + "/Projects").removeRecursively();
    w.btnSAVE->click();
    fake.prompts.answers = {Prompts::Answer::No};
    w.btnOPEN->click();
    ASSERT_EQ(fake.prompts.dialogs.size(), 2u);
    for (const auto& dialog : fake.prompts.dialogs) {
        EXPECT_NE(dialog.folder, appFolder() + "Projects");
        EXPECT_TRUE(QFileInfo(dialog.folder).isDir()) << dialog.folder.toStdString();
    }
}

}  // namespace
}  // namespace quillmap::test
