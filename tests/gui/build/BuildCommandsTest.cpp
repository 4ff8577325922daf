#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include "text/TextFile.h"
#include "shell/TfrmAskToAssociate.h"
#include "styles/TfrmColors.h"
#include "shell/StatusLine.h"
#include "tests/gui/mainwin/MainWindowFixture.h"

using namespace quillmap;
using namespace quillmap::test;

namespace {

class BuildCommandsTest : public MainWindowTest {
protected:
    QString outFile(const QString& name) const { return folder.path() + "/out/" + name; }
    std::string read(const QString& name) const { return readWholeFile(outFile(name).toStdString()); }
};

}  // namespace

TEST_F(BuildCommandsTest, EmptyTreeShowsTheMessageAndWritesNothing)
{
    TForm1& w = window();
    w.btnBuild_Test->click();
    EXPECT_EQ(fake.prompts.texts("message"), QStringList{"No items to build!"});
    EXPECT_FALSE(QFile::exists(outFile("Quillnav.js")));
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_TRUE(w.btnBuild->isEnabled());
}

TEST_F(BuildCommandsTest, BuildWritesBothFilesAndOnlyBuildAndTestOpensThePage)
{
    buildSmallTree();
    TForm1& w = window();
    w.chkAutoClose->setChecked(true);
    w.btnBuild->click();
    const std::string script = read("Quillnav.js");
    EXPECT_NE(script.find("bAUTOCLOSE=1;\r\n"), std::string::npos);
    EXPECT_NE(script.find("a1 = insFld(foldersTree, gFld(\"New Folder\", \"\"))\r\n"), std::string::npos);
    EXPECT_EQ(read("Quillnavstyle.css").substr(0, 34), "BODY {background-color: #FFFFFF}\r\n");
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_TRUE(fake.prompts.shown.empty());
    // The build says where the menu went in the status line, not in a box; a document without a
    // link is a warning.
    const QString out = QDir::toNativeSeparators(appFolder() + "out");
    EXPECT_EQ(w.lblStatus->fullText(), "Menu built: 3 items, 1 warning (1 document has no link),\nin " + out + ".");
    EXPECT_EQ(w.lblStatus->accessibleName(), w.lblStatus->fullText());
    w.txtURL->setText("page.html");
    w.btnBuild->click();
    EXPECT_EQ(w.lblStatus->fullText(), "Menu built: 3 items, no warnings,\nin " + out + ".");

    // A language file may rename the button; the name decides.
    w.btnBuild_Test->setText("Erstellen und testen");
    w.btnBuild_Test->click();
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    const auto& call = fake.shell.calls.front();
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(QDir::fromNativeSeparators(call.file), appFolder() + "out/index.html");
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.folder, appFolder() + "out");
    EXPECT_EQ(call.showCommand, 10);
}

TEST_F(BuildCommandsTest, BuildUsesTheCurrentColoursAndDoesNotTouchTheSavedState)
{
    buildSmallTree();
    TForm1& w = window();
    w.frmColors().setColor(0, Rgb{0x12, 0x34, 0x56});
    w.SetSaved(true);
    w.btnBuild->click();
    EXPECT_EQ(read("Quillnavstyle.css").substr(0, 34), "BODY {background-color: #123456}\r\n");
    EXPECT_TRUE(w.document().Saved);
}

TEST_F(BuildCommandsTest, FailingSaveReportsTheErrorAndLeavesTheBusyState)
{
    buildSmallTree();
    TForm1& w = window();
    QDir(folder.path() + "/out").removeRecursively();
    w.btnBuild_Test->click();
    ASSERT_EQ(fake.prompts.texts("error").size(), 1);
    EXPECT_TRUE(QDir::fromNativeSeparators(fake.prompts.texts("error").front()).startsWith("Cannot create file " + appFolder() + "out/Quillnav.js: "));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(w.btnBuild_Test->isEnabled());
    EXPECT_TRUE(w.btnBuild->isEnabled());
    EXPECT_TRUE(w.btnBrowseOUT->isEnabled());
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_EQ(w.lblStatus->fullText(), "");
}

TEST_F(BuildCommandsTest, HelpAndBrowseOutHandTheShellTheirFilesAndFolders)
{
    TForm1& w = window();
    w.btnMoreHelp->click();
    w.btnBrowseOUT->click();
    ASSERT_EQ(fake.shell.calls.size(), 2u);
    EXPECT_EQ(fake.shell.calls[0].verb, "open");
    EXPECT_EQ(QDir::fromNativeSeparators(fake.shell.calls[0].file), appFolder() + "Help/index.htm");
    EXPECT_EQ(fake.shell.calls[0].folder, appFolder());
    EXPECT_EQ(fake.shell.calls[0].showCommand, 5);
    EXPECT_EQ(fake.shell.calls[1].verb, "explore");
    EXPECT_EQ(fake.shell.calls[1].file, appFolder() + "out");
    EXPECT_EQ(fake.shell.calls[1].folder, appFolder() + "out");
    EXPECT_EQ(fake.shell.calls[1].showCommand, 1);
    EXPECT_TRUE(fake.prompts.texts("message").isEmpty());

    // A launch the system cannot carry out is said, naming what could not be opened.
    fake.shell.opens = false;
    w.btnMoreHelp->click();
    w.btnBrowseOUT->click();
    const QStringList said = fake.prompts.texts("message");
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(QDir::fromNativeSeparators(said[0]).startsWith("Cannot open " + appFolder() + "Help/index.htm: "));
    EXPECT_TRUE(said[1].startsWith("Cannot open " + appFolder() + "out: "));
}

TEST_F(BuildCommandsTest, ColorsButtonCentresTheWindowOverTheMainWindowEveryTime)
{
    TForm1& w = window();
    w.move(100, 80);
    w.show();
    w.btnColors->click();
    TfrmColors& colors = w.frmColors();
    EXPECT_TRUE(colors.isVisible());
    const QRect main = w.frameGeometry();
    const QRect own = colors.frameGeometry();
    EXPECT_EQ(own.left(), main.left() + (main.width() - own.width()) / 2);
    EXPECT_EQ(own.top(), main.top() + (main.height() - own.height()) / 2);

    colors.move(0, 0);
    w.btnColors->click();
    EXPECT_EQ(colors.frameGeometry().left(), main.left() + (main.width() - own.width()) / 2);
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(BuildCommandsTest, FirstShowRunsTheAssociationCheckOnce)
{
    TForm1& w = window();
    TfrmAskToAssociate prompt(fake.platform(), appFolder(), QCoreApplication::applicationFilePath(),
                              [&w] { return w.VersionText; });
    w.frmAskToAssociate = &prompt;
    int shown = 0;
    // The prompt is modal; answer No as soon as it appears.
    QObject::connect(&prompt, &QDialog::finished, [&shown] { ++shown; });
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&prompt] {
        if (prompt.isVisible()) prompt.BitBtn2()->click();
    });
    answer.start(10);
    w.show();
    EXPECT_TRUE(QTest::qWaitFor([&shown] { return shown == 1; }, 5000));
    w.hide();
    w.show();
    QTest::qWait(50);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(fake.registry.writes, 0);
}
