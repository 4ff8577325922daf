// The open button's menu of recent projects and the tree's right-click menu.
#include <QContextMenuEvent>
#include <QMenu>

#include "tests/gui/editor/EditorFixture.h"

namespace quillmap::test {
namespace {

using Menus = EditorTest;

// The entries before the imports, which both menus end with.
QStringList entryTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) break;
        texts << action->text();
    }
    return texts;
}

QAction* entry(const QMenu* menu, const QString& startingWith)
{
    for (QAction* action : menu->actions())
        if (action->text().startsWith(startingWith)) return action;
    return nullptr;
}

TEST_F(Menus, RecentProjectsAreTheLastOpenedOrSavedNewestFirstAndOutliveTheWindow)
{
    TForm1& w = window();
    const QString projects = folder.path() + "/Projects/";
    for (const QString name : {"one.qmp", "two.qmp"}) {
        fake.prompts.fileNames.push_back(projects + name);
        w.projectFiles().mnuSaveAsClick();
    }
    fake.prompts.answers = {Prompts::Answer::No};
    w.projectFiles().OpenProject(projects + "one.qmp");
    EXPECT_EQ(w.projectFiles().recent().recentProjects(), (QStringList{projects + "one.qmp", projects + "two.qmp"}));

    // A right-click on the open button offers them.
    emit w.btnOPEN->customContextMenuRequested({5, 5});
    EXPECT_TRUE(w.projectFiles().recent().popUpOpen->isVisible());
    w.projectFiles().recent().popUpOpen->hide();
    EXPECT_EQ(entryTexts(w.projectFiles().recent().popUpOpen), (QStringList{"&1 " + QDir::toNativeSeparators(projects + "one.qmp"),
                                                    "&2 " + QDir::toNativeSeparators(projects + "two.qmp")}));
    entry(w.projectFiles().recent().popUpOpen, "&2")->trigger();
    EXPECT_EQ(w.document().ProjectFileName, projects + "two.qmp");
    EXPECT_EQ(w.projectFiles().recent().recentProjects().first(), projects + "two.qmp");

    form.reset();
    EXPECT_EQ(window().projectFiles().recent().recentProjects().size(), 2);
}

TEST_F(Menus, AMissingRecentProjectGivesTheOpenErrorAndLeavesTheList)
{
    TForm1& w = window();
    const QString gone = folder.path() + "/Projects/gone.qmp";
    fake.prompts.fileNames.push_back(gone);
    w.projectFiles().mnuSaveAsClick();
    ASSERT_TRUE(QFile::remove(gone));
    w.projectFiles().recent().fillOpenMenu();
    entry(w.projectFiles().recent().popUpOpen, "&1")->trigger();
    EXPECT_EQ(fake.prompts.texts("error"), QStringList{"Cannot open file " + gone + ": no such file."});
    EXPECT_TRUE(w.projectFiles().recent().recentProjects().isEmpty());
    w.projectFiles().recent().fillOpenMenu();
    EXPECT_EQ(entryTexts(w.projectFiles().recent().popUpOpen), QStringList{"No recent projects"});
}

// Right-clicks as the mouse makes them: the press selects, the menu follows.
class ItemMenu : public EditorTest {
protected:
    QMenu* rightClick(QPoint at)
    {
        TForm1& w = window();
        QTest::mousePress(w.Tree2->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(w.Tree2->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, w.Tree2->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(w.Tree2->viewport(), &menuEvent);
        w.items().popUpItem->hide();
        return w.items().popUpItem;
    }
};

TEST_F(ItemMenu, EntriesDoWhatTheButtonsDoOnTheItemUnderThePointer)
{
    TForm1& w = window();
    QMenu* menu = rightClick(centreOf(a2));
    EXPECT_EQ(w.items().selectedNode(), a2);
    EXPECT_EQ(entryTexts(menu), (QStringList{"New Folder\tCtrl+Ins", "Document\tIns", "Rename\tF2", "Remove\tDel"}));

    entry(menu, "Document")->trigger();
    EXPECT_EQ(A->childCount(), 3u);
    EXPECT_EQ(A->child(2)->caption, "New Document");

    rightClick(centreOf(d1));
    entry(menu, "New Folder")->trigger();
    EXPECT_EQ(root->child(2)->caption, "New Folder");

    rightClick(centreOf(a1));
    entry(menu, "Rename")->trigger();
    auto* editor = w.Tree2->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "a1");
    QTest::keyClick(editor, Qt::Key_Escape);

    rightClick(centreOf(a1));
    entry(menu, "Remove")->trigger();
    EXPECT_EQ(A->childCount(), 2u);
    EXPECT_EQ(A->child(0), a2);
}

TEST_F(ItemMenu, OnEmptySpaceNothingIsSelectedAndOnlyAddingIsOffered)
{
    TForm1& w = window();
    QMenu* menu = rightClick({20, w.Tree2->viewport()->height() - 5});
    EXPECT_EQ(w.items().selectedNode(), nullptr);
    for (QAction* action : menu->actions()) {
        const bool adding = action->isSeparator() || action->text().startsWith("New Folder") ||
                            action->text().startsWith("Document") || action->text().startsWith("Import") ||
                            action->text().startsWith("Check links...");
        EXPECT_EQ(action->isEnabled(), adding) << action->text().toStdString();
    }
    entry(menu, "New Folder")->trigger();
    EXPECT_EQ(root->child(root->childCount() - 1)->caption, "Folder");
}

}  // namespace
}  // namespace quillmap::test
