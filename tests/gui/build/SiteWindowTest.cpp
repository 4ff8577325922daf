#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <functional>

#include "site/SiteCommands.h"
#include "site/TfrmSite.h"
#include "text/TextFile.h"
#include "undo/UndoStack.h"
#include "tests/gui/mainwin/MainWindowFixture.h"

using namespace quillmap;
using namespace quillmap::test;

namespace {

class SiteWindowTest : public MainWindowTest {
protected:
    QString site() const { return folder.path() + "/site"; }

    void SetUp() override
    {
        MainWindowTest::SetUp();
        QDir(folder.path()).mkpath("site/a");
        writePage("index.html", "<body><!-- quillmap --></body>");
        writePage("a/page.html", "<body>a</body>");
    }

    void writePage(const QString& name, const QByteArray& text)
    {
        QFile file(site() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Opens the Site dialog from the open button's menu entry; fill sets its fields and presses
    // OK (or not), then Cancel ends a dialog that stayed open.
    void editSite(const std::function<void(TfrmSite&)>& fill)
    {
        TfrmSite& dialog = *window().siteCommands().frmSite;
        QTimer::singleShot(0, &dialog, [&] {
            fill(dialog);
            if (dialog.isVisible()) dialog.reject();
        });
        window().siteCommands().mnuSite->trigger();
    }

    void setSite(const QString& siteFolder, const QString& menuFolder = {}, const QString& startPage = {})
    {
        editSite([&](TfrmSite& d) {
            d.txtSiteFolder->setText(siteFolder);
            d.txtMenuFolder->setText(menuFolder);
            d.txtStartPage->setText(startPage);
            d.buttonBox->button(QDialogButtonBox::Ok)->click();
        });
    }
};

}  // namespace

TEST_F(SiteWindowTest, TheDialogSetsAndClearsTheSiteAsOneUndoableStepAndRefusesAMenuOutsideIt)
{
    TForm1& w = window();
    ProjectDocument& doc = w.document();
    setSite(site());
    EXPECT_EQ(doc.site.siteFolder, QDir::cleanPath(site()).toStdString());
    EXPECT_EQ(doc.site.menuFolder, "menu");
    EXPECT_FALSE(doc.Saved);
    EXPECT_EQ(doc.history().count(), 1);

    const ProjectSite set = doc.site;
    editSite([](TfrmSite& d) {
        d.btnClearSite->click();
        d.buttonBox->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_TRUE(doc.site.empty());
    doc.undo();
    EXPECT_EQ(doc.site, set);
    doc.undo();
    EXPECT_TRUE(doc.site.empty());
    EXPECT_TRUE(doc.Saved);
    doc.redo();
    EXPECT_EQ(doc.site, set);

    // Refused with the reason; the dialog stays open and nothing is recorded.
    const int steps = doc.history().count();
    bool stayedOpen = false;
    editSite([&](TfrmSite& d) {
        d.txtMenuFolder->setText(folder.path() + "/elsewhere");
        d.buttonBox->button(QDialogButtonBox::Ok)->click();
        stayedOpen = d.isVisible();
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(fake.prompts.texts("error").size(), 1);
    EXPECT_TRUE(fake.prompts.texts("error").front().contains("does not lie inside the site folder"));
    EXPECT_EQ(doc.site, set);
    EXPECT_EQ(doc.history().count(), steps);
}

TEST_F(SiteWindowTest, SaveStoresTheSiteRelativeToTheFileAndOpenMakesItAbsoluteAgain)
{
    buildSmallTree();
    setSite(site(), "a/menu", "a/page.html");
    QDir(folder.path()).mkpath("projects");
    const QString file = folder.path() + "/projects/p.qmp";
    ASSERT_TRUE(window().projectFiles().SaveProject(file));
    const std::string text = readWholeFile(file.toStdString());
    EXPECT_NE(text.find("\r\n../site\r\na/menu\r\n"), std::string::npos);
    EXPECT_EQ(text.find(folder.path().toStdString()), std::string::npos);

    const ProjectSite saved = window().document().site;
    window().btnNew->click();
    EXPECT_TRUE(window().document().site.empty());
    window().projectFiles().OpenProject(file);
    EXPECT_EQ(window().document().site, saved);
    EXPECT_EQ(window().document().site.startPage, "a/page.html");
}

TEST_F(SiteWindowTest, BuildWritesOnlyIntoTheMenuFolderAndBuildAndTestOpensTheStartPage)
{
    buildSmallTree();
    setSite(site());
    const QStringList before = QDir(site()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    window().btnBuild->click();
    EXPECT_TRUE(fake.prompts.texts("error").isEmpty());
    EXPECT_TRUE(QFile::exists(site() + "/menu/Quillnav.js"));
    EXPECT_TRUE(QFile::exists(site() + "/menu/quillmap-test.html"));
    EXPECT_FALSE(QFile::exists(site() + "/menu/index.html"));
    EXPECT_EQ(QDir(site()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList(before) << "menu");
    EXPECT_EQ(readWholeFile((site() + "/index.html").toStdString()), "<body><!-- quillmap --></body>");
    EXPECT_FALSE(QFile::exists(folder.path() + "/out/Quillnav.js"));
    EXPECT_TRUE(fake.shell.calls.empty());

    const struct {
        QString startPage;
        QByteArray index;
        QString opened;
    } cases[] = {
        {"", "<!-- quillmap -->", "index.html"},       // the marked index page
        {"", "<body>no marker</body>", "menu/quillmap-test.html"},
        {"a/page.html", "<!-- quillmap -->", "a/page.html"},
        {"a/gone.html", "<!-- quillmap -->", "menu/quillmap-test.html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.startPage.toStdString() + " " + c.index.toStdString());
        writePage("index.html", c.index);
        setSite(site(), {}, c.startPage);
        fake.shell.calls.clear();
        window().btnBuild_Test->click();
        ASSERT_EQ(fake.shell.calls.size(), 1u);
        EXPECT_EQ(QDir::fromNativeSeparators(fake.shell.calls.front().file), QDir::cleanPath(site()) + "/" + c.opened);
        EXPECT_EQ(fake.shell.calls.front().verb, "open");
    }

    // With the pages on, Build writes the menu between the markers of the marked page.
    writePage("index.html", "<body><!-- quillmap --></body>");
    editSite([&](TfrmSite& d) {
        d.chkWritePages->setChecked(true);
        d.buttonBox->button(QDialogButtonBox::Ok)->click();
    });
    window().btnBuild->click();
    const std::string page = readWholeFile((site() + "/index.html").toStdString());
    EXPECT_NE(page.find("<!-- quillmap -->\r\n<link rel=\"stylesheet\" href=\"menu/Quillnavstatic.css\">"), std::string::npos)
        << page;
    EXPECT_NE(page.find("<!-- /quillmap --></body>"), std::string::npos) << page;
}
