// The window's link check: broken items marked until changed, a result row selecting its item,
// the site folder asked once per project file and used by the link picker.
#include <QTreeWidget>
#include <fstream>

#include "import/LinkCheckCommands.h"
#include "tests/gui/mainwin/MainWindowFixture.h"

namespace quillmap::test {

TEST_F(MainWindowTest, LinkCheckMarksBrokenItemsAndSelectsThemFromItsResults)
{
    const QString site = folder.path() + "/site";
    QDir().mkpath(site + "/sub");
    std::ofstream((site + "/sub/page.html").toStdString()) << "<p>";
    TForm1& w = window();
    buildSmallTree();  // the document 2 is selected
    w.txtURL->setText("sub/page.html");
    w.btnAddDoc->click();  // 3
    w.txtURL->setText("missing.html");
    w.document().ProjectFileName = folder.path() + "/site.qmp";
    fake.prompts.folders = {site};
    w.linkChecks().mnuCheckLinks->trigger();

    const TreeModel& model = w.document().model();
    const auto mark = [&](int i) { return model.data(model.indexOf(item(i)), Qt::ToolTipRole).toString(); };
    EXPECT_EQ(mark(2), "");
    EXPECT_EQ(mark(3), "no such file");
    QTreeWidget* list = w.linkChecks().frmLinkCheck->listResults;
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Root Folder / New Folder / New Document");
    w.Tree2->selectNode(item(0));
    // Enter on a row selects its item and does nothing else (it once also pressed Site folder...).
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(w.Tree2->selectedNode(), item(3));
    EXPECT_EQ(fake.prompts.texts("folder").size(), 1);
    EXPECT_EQ(w.txtURL->text(), "missing.html");

    // A new link drops the mark; the remembered site folder gives the picked file's path.
    w.txtURL->setText("sub/");
    EXPECT_EQ(mark(3), "");
    fake.prompts.fileNames = {site + "/sub/page.html"};
    w.btnBrowseLink->click();
    EXPECT_EQ(w.txtURL->text(), "sub/page.html");
    w.linkChecks().mnuCheckLinksBelow->trigger();
    EXPECT_EQ(fake.prompts.texts("folder").size(), 1);
    EXPECT_EQ(list->topLevelItemCount(), 0);
}

}  // namespace quillmap::test
