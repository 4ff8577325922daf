// The window's import: the menu entries, the dialogs through Prompts, the one-step insertion under
// the selected folder, cancelling, and the report.
#include <QMenu>
#include <QTreeWidget>

#include <fstream>

#include "import/LinkCheckCommands.h"
#include "tests/gui/mainwin/MainWindowFixture.h"

namespace quillmap::test {

namespace {

class ImportWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        site = folder.path() + "/site";
        writePage("index.html", "Home");
        writePage("guide/setup.html", "Setting up");
        writePage("about.html", "About");
    }

    void writePage(const QString& name, const std::string& title)
    {
        const QString path = site + "/" + name;
        QDir().mkpath(QFileInfo(path).path());
        std::ofstream(path.toStdString()) << "<title>" << title << "</title>";
    }

    QStringList entries(QMenu* menu)
    {
        QStringList texts;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) texts << a->text();
        return texts;
    }

    QString site;
};

}  // namespace

TEST_F(ImportWindowTest, BothRightClickMenusOfferTheImports)
{
    const QStringList wanted{"Import site folder...", "Import sitemap..."};
    auto importsIn = [&](QMenu* menu) {
        const QStringList shown = entries(menu);
        return shown.mid(shown.indexOf(wanted.first()), wanted.size());
    };
    window().projectFiles().recent().fillOpenMenu();
    EXPECT_EQ(importsIn(window().projectFiles().recent().popUpOpen), wanted);
    window().items().fillItemMenu();
    EXPECT_EQ(importsIn(window().items().popUpItem), wanted);
    EXPECT_EQ(window().btnOPEN->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(window().Tree2->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST_F(ImportWindowTest, AFolderImportedIntoAnEmptyTreeBecomesTheRoot)
{
    fake.prompts.folders = {site, site};
    window().imports().mnuImportFolder->trigger();
    ASSERT_EQ(window().document().tree().size(), 4u);
    EXPECT_EQ(caption(0), "Home");
    EXPECT_EQ(item(0)->record()->URL, "index.html");
    EXPECT_EQ(caption(1), "Guide");
    EXPECT_EQ(caption(2), "Setting up");
    EXPECT_EQ(caption(3), "About");
    EXPECT_EQ(window().items().selectedNode(), item(0));
    EXPECT_EQ(window().txtCaption->text(), "Home");
    EXPECT_FALSE(window().document().Saved);
    // The import makes the project: it records the site, links relative to it, and as no page
    // holds frames the menu opens its links in place.
    EXPECT_EQ(fake.prompts.texts("folder"), QStringList{"Import site folder|" + appFolder()});
    EXPECT_EQ(fake.prompts.texts("message"), QStringList{"Added 3 pages in 2 folders."});
    EXPECT_EQ(QString::fromStdString(window().document().site.siteFolder), site);
    EXPECT_EQ(window().document().site.menuFolder, "menu");
    EXPECT_EQ(window().txtTFRAME->text(), "");

    // The link check and the link picker use the site folder without asking.
    window().linkChecks().mnuCheckLinks->trigger();
    EXPECT_EQ(fake.prompts.texts("folder").size(), 1);
    EXPECT_EQ(window().linkChecks().frmLinkCheck->listResults->topLevelItemCount(), 0);
    window().Tree2->selectNode(item(2));
    fake.prompts.fileNames = {site + "/guide/setup.html"};
    window().btnBrowseLink->click();
    EXPECT_EQ(window().txtURL->text(), "guide/setup.html");
}

TEST_F(ImportWindowTest, TheImportGoesUnderTheSelectedDocumentsFolderWithLinksFromTheBase)
{
    buildSmallTree();  // the document in "New Folder" stays selected
    fake.prompts.folders = {site, site + "/menu"};
    window().imports().mnuImportFolder->trigger();
    ASSERT_EQ(window().document().tree().size(), 7u);
    EXPECT_EQ(item(3)->parent(), item(1)) << "the last child of the document's folder";
    EXPECT_EQ(caption(3), "Home");
    EXPECT_EQ(item(3)->record()->URL, "../index.html");
    EXPECT_EQ(window().items().selectedNode(), item(3));

    // The whole import is one step of the history.
    window().document().undo();
    EXPECT_EQ(window().document().tree().size(), 3u);
    window().document().redo();
    EXPECT_EQ(window().document().tree().size(), 7u);
}

TEST_F(ImportWindowTest, CancellingAnyStepAddsNothing)
{
    const auto unchanged = [&](const char* step) {
        EXPECT_TRUE(window().document().tree().empty()) << step;
        EXPECT_TRUE(window().document().Saved) << step;
        EXPECT_TRUE(fake.prompts.texts("message").isEmpty()) << step;
        EXPECT_TRUE(fake.prompts.texts("error").isEmpty()) << step;
    };
    window().imports().mnuImportFolder->trigger();
    unchanged("site folder chooser");
    fake.prompts.folders = {site, site};
    fake.prompts.siteImports = {std::nullopt};
    window().imports().mnuImportFolder->trigger();
    unchanged("site import dialog");
    EXPECT_EQ(fake.prompts.folders.size(), 1u) << "no question after the dialog's cancel";
    fake.prompts.folders = {site, site};
    fake.prompts.cancelProgressAt = 1;
    window().imports().mnuImportFolder->trigger();
    unchanged("progress dialog");
    EXPECT_EQ(fake.prompts.progressUpdates, 1);
    window().imports().mnuImportSitemap->trigger();
    unchanged("sitemap file dialog");
}

TEST_F(ImportWindowTest, ASitemapImportAsksForTheSiteFolderForTitles)
{
    std::ofstream((site + "/sitemap.xml").toStdString())
        << "<urlset><url><loc>https://example.com/</loc></url><url><loc>https://example.com/about.html</loc></url>"
           "<url><loc>https://example.com/guide/setup.html</loc></url></urlset>";
    fake.prompts.fileNames = {site + "/sitemap.xml"};
    fake.prompts.folders = {site, site};
    window().imports().mnuImportSitemap->trigger();
    ASSERT_EQ(window().document().tree().size(), 4u);
    EXPECT_EQ(caption(0), "Home");
    EXPECT_EQ(caption(2), "Setting up");
    EXPECT_EQ(fake.prompts.dialogs.at(0).filter, "Sitemaps (*.xml)|*.xml|All Files (*.*)|*.*");
}

// The site's contents page is offered, its order taken; the check box keeps the titles' ending.
TEST_F(ImportWindowTest, TheSiteImportDialogOffersTheContentsPageAndKeepsTitlesWhenAsked)
{
    writePage("index.html", "Home - Site");
    writePage("about.html", "About - Site");
    std::ofstream((site + "/toc.html").toStdString())
        << "<title>Contents - Site</title><ul><li><a href=about.html>x</a><li><a href=guide/setup.html>x</a></ul>";
    fake.prompts.folders = {site, site};
    window().imports().mnuImportFolder->trigger();
    EXPECT_EQ(fake.prompts.texts("siteimport"), QStringList{site + "|toc.html"});
    ASSERT_EQ(window().document().tree().size(), 4u);
    EXPECT_EQ(std::vector<std::string>({caption(0), caption(1), caption(2), caption(3)}),
              std::vector<std::string>({"Home", "Contents", "About", "Setting up"}));
    EXPECT_NE(fake.prompts.texts("message").at(0).indexOf("0 pages not in the contents page"), -1);

    fake.prompts.folders = {site};
    fake.prompts.siteImports = {Prompts::SiteImportChoice{"", true}};
    window().Tree2->selectNode(item(0));
    window().imports().mnuImportFolder->trigger();
    ASSERT_EQ(window().document().tree().size(), 9u);
    EXPECT_EQ(std::vector<std::string>({caption(4), caption(5), caption(6)}), std::vector<std::string>({"Home - Site", "Guide", "Setting up"}));
}

TEST_F(ImportWindowTest, AFolderWithoutPagesIsReportedAsAnError)
{
    QDir().mkpath(folder.path() + "/nothing");
    fake.prompts.folders = {folder.path() + "/nothing", folder.path()};
    window().imports().mnuImportFolder->trigger();
    EXPECT_TRUE(window().document().tree().empty());
    EXPECT_EQ(fake.prompts.texts("error"), QStringList{"No pages found in " + QDir::toNativeSeparators(folder.path() + "/nothing") + "."});
}

}  // namespace quillmap::test
