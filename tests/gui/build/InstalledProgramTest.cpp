// The window of an installed program, run by tests/install/installed_tree_test.sh as a user who
// cannot write the installed tree (QUILLMAP_INSTALLED_DATA names its share/quillmap/ folder).
#include <QDir>
#include <QFile>

#include "tests/gui/mainwin/MainWindowFixture.h"

using namespace quillmap;
using namespace quillmap::test;

TEST(InstalledProgram, TheWindowBuildsIntoTheUsersOwnOutFolder)
{
    const QString data = qEnvironmentVariable("QUILLMAP_INSTALLED_DATA");
    if (data.isEmpty()) GTEST_SKIP() << "run by tests/install/installed_tree_test.sh";
    const QString userOut = QDir::homePath() + "/.local/share/quillmap/out";
    FakePlatform fake;
    TForm1 w(fake.platform(), data, {});
    w.createColorsWindow();
    EXPECT_TRUE(w.Memo1->toPlainText().contains(userOut));
    EXPECT_EQ(w.boxImg->itemText(0), "ftv2doc_1.gif");

    w.btnAddFolder->click();
    w.btnBuild_Test->click();
    EXPECT_TRUE(fake.prompts.shown.empty()) << fake.prompts.shown.front().text.toStdString();
    EXPECT_TRUE(QFile::exists(userOut + "/Quillnav.js"));
    EXPECT_FALSE(QFile::exists(data + "/out/Quillnav.js"));
    w.btnBrowseOUT->click();
    ASSERT_EQ(fake.shell.calls.size(), 2u);
    EXPECT_EQ(fake.shell.calls[0].file, userOut + "/index.html");
    EXPECT_EQ(fake.shell.calls[1].file, userOut);
}
