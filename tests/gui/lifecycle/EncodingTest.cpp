// 8-bit project files in the window: shown right, saved back in their own encoding byte for
// byte, and turned into UTF-8 only when an edit needs a character the code page cannot hold.
#include <QTest>
#include <functional>

#include "tests/gui/lifecycle/LifecycleFixture.h"

namespace quillmap::test {
namespace {

using Encoding = LifecycleTest;

// The example project with the given texts for Readme's caption, its link and the frame name.
std::string exampleWith(const std::string& caption, const std::string& link, const std::string& frame)
{
    std::string text = exampleFileText();
    text.replace(text.find("Readme"), 6, caption);
    text.replace(text.find("readme.html"), 11, link);
    text.replace(text.find("main_frame"), 10, frame);
    return text;
}

const std::string Latin1 = exampleWith("Caf\xE9", "m\xFCller.html", "fr\xE4me");
const std::string Utf8 = exampleWith("Caf\xC3\xA9", "m\xC3\xBCller.html", "fr\xC3\xA4me");

TEST_F(Encoding, FilesAreShownRightAndSavedUnchanged)
{
    for (const auto& [name, bytes] : {std::pair{"Latin-1", Latin1}, std::pair{"UTF-8", Utf8}}) {
        SCOPED_TRACE(name);
        TForm1& w = form();
        const QString path = writeProject(QString(name) + ".qmp", bytes);
        openThroughButton(path);
        ASSERT_TRUE(fake.prompts.texts("error").isEmpty());
        w.items().selectNode(w.document().tree().itemAt(2));
        EXPECT_EQ(w.txtCaption->text(), QString::fromUtf8("Café"));
        EXPECT_EQ(w.document().model().data(w.document().model().indexOf(w.document().tree().itemAt(2))).toString(), QString::fromUtf8("Café"));
        EXPECT_EQ(w.txtURL->text(), QString::fromUtf8("müller.html"));
        EXPECT_EQ(w.txtTFRAME->text(), QString::fromUtf8("främe"));
        w.projectFiles().mnuSave->trigger();
        EXPECT_EQ(readBytes(path), bytes);
    }
}

TEST_F(Encoding, EditChangesOnlyTheEditedText)
{
    TForm1& w = form();
    const QString path = writeProject("latin1.qmp", Latin1);
    openThroughButton(path);
    w.txtCaption->setText(QString::fromUtf8("Wurzel ä"));  // the root is selected
    w.projectFiles().mnuSave->trigger();
    std::string expected = Latin1;
    expected.replace(expected.find("Root Folder"), 11, "Wurzel \xE4");
    EXPECT_EQ(readBytes(path), expected);
}

TEST_F(Encoding, CharacterOutsideTheCodePageTurnsTheWholeFileIntoUtf8)
{
    struct Case {
        const char* name;
        std::function<void(TForm1&)> edit;
        std::string expected;
    } cases[] = {
        {"caption", [](TForm1& w) { w.txtCaption->setText(QString::fromUtf8("Ω")); },
         [] {
             std::string t = Utf8;
             return t.replace(t.find("Root Folder"), 11, "\xCE\xA9");
         }()},
        {"frame name", [](TForm1& w) { w.txtTFRAME->setText(QString::fromUtf8("främe Ω")); },
         exampleWith("Caf\xC3\xA9", "m\xC3\xBCller.html", "fr\xC3\xA4me \xCE\xA9")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm1& w = form();
        const QString path = writeProject(QString(c.name) + ".qmp", Latin1);
        openThroughButton(path);
        c.edit(w);
        w.projectFiles().mnuSave->trigger();
        EXPECT_EQ(readBytes(path), c.expected);
        // The window still shows every text as before.
        w.items().selectNode(w.document().tree().itemAt(2));
        EXPECT_EQ(w.txtCaption->text(), QString::fromUtf8("Café"));
    }
}

TEST_F(Encoding, NewProjectIsUtf8)
{
    TForm1& w = form();
    openThroughButton(writeProject("latin1.qmp", Latin1));
    w.projectFiles().btnNewClick();
    w.items().btnAddFolderClick();
    w.txtCaption->setText(QString::fromUtf8("Café"));
    const QString path = projectPath("new.qmp");
    fake.prompts.fileNames.push_back(path);
    w.projectFiles().mnuSaveAs->trigger();
    EXPECT_NE(readBytes(path).find("\r\nCaf\xC3\xA9\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quillmap::test
