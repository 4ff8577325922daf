#include <gtest/gtest.h>

#include <sstream>

#include "text/TextFile.h"
#include "cli/CheckCommand.h"
#include "cli/ImportCommand.h"
#include "generator/MenuBuild.h"
#include "project/ProjectData.h"
#include "tests/unit/import/SiteFixture.h"

using namespace quillmap;
namespace fs = std::filesystem;

namespace {

class ImportCommandTest : public test::SiteFixture {
protected:
    int run(const std::vector<std::string>& arguments)
    {
        out.str({});
        err.str({});
        return runImportCommand(arguments, out, err);
    }
    std::ostringstream out, err;
};

}  // namespace

TEST_F(ImportCommandTest, ExitStatusAndStreamsFollowTheOutcome)
{
    page("site/index.html", "Home");
    page("site/about.html", "About");
    const std::string site = (root / "site").string();
    const std::string notXml = write("notes.xml", "no xml").string();
    // Input that would fill the memory is cut short, and the report says where.
    std::string deep = "https://example.com";
    for (int i = 0; i <= 100; ++i) deep += "/s";
    const std::string deepMap = write("deep.xml", "<urlset><url><loc>https://example.com/a.html</loc></url>"
                                                  "<url><loc>" + deep + "</loc></url></urlset>").string();
    write("pages.xml", "<urlset><url><loc>/a.html</loc></url><url><loc>/b.html</loc></url></urlset>");
    const std::string index = write("index.xml", "<sitemapindex><sitemap><loc>https://example.com/pages.xml</loc>"
                                                 "</sitemap><sitemap><loc>./pages.xml</loc></sitemap></sitemapindex>").string();
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string outStarts;
        std::string errStarts;
    } cases[] = {
        {{"--help"}, 0, "Usage: quillmap-import [--base DIR]", ""},
        {{"--version"}, 0, "quillmap-import 2.0\n", ""},
        {{}, 2, "", "Usage: quillmap-import"},
        {{site, "--bogus"}, 2, "", "quillmap-import: unknown option --bogus\nUsage:"},
        {{site, "--out"}, 2, "", "quillmap-import: --out needs a value\nUsage:"},
        {{site, "--out", ""}, 2, "", "quillmap-import: --out needs a value\nUsage:"},
        {{site, "--base="}, 2, "", "quillmap-import: --base needs a value\nUsage:"},
        {{site, site}, 2, "", "quillmap-import: only one site folder or sitemap"},
        {{(root / "missing").string()}, 1, "", "Cannot open folder "},
        // A mistyped folder is refused rather than giving a project of broken links.
        {{site, "--base", site + "/index.html"}, 2, "", "quillmap-import: --base " + site + "/index.html: is no folder\n"},
        {{site, "--base", root.string() + "/nonexistent"}, 2, "", "quillmap-import: --base " + root.string() + "/nonexistent: no such folder\n"},
        {{notXml, "--site", "/typo"}, 2, "", "quillmap-import: --site /typo: no such folder\n"},
        {{"--", site}, 0, "Quillmap Project File\r\n", ""},
        {{notXml}, 1, "", notXml + " is not a sitemap: "},
        {{site}, 0, "Quillmap Project File\r\n2000\r\nHome\r\n\tAbout\r\n", "Added 2 pages in 1 folder.\n"},
        {{deepMap}, 0, "", "Added 1 page in 1 folder.\nSkipped 1 address more than 100 folders deep: " + deep + "\n"},
        {{index}, 0, "", "Added 2 pages in 1 folder.\nSkipped 1 address listed twice: ./pages.xml (a sitemap read already)\n"},
    };
    for (const auto& c : cases) {
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.back();
        EXPECT_EQ(run(c.arguments), c.status) << shown;
        EXPECT_EQ(out.str().substr(0, c.outStarts.size()), c.outStarts) << shown;
        EXPECT_EQ(err.str().substr(0, c.errStarts.size()), c.errStarts) << shown;
        if (c.status != 0) {
            EXPECT_FALSE(err.str().empty()) << shown;
        }
    }
}

TEST_F(ImportCommandTest, OutWritesAProjectTheReaderOpens)
{
    page("site/index.html", "Home");
    page("site/docs/guide.html", "Guide");
    const std::string project = (root / "site.qmp").string();
    ASSERT_EQ(run({(root / "site").string(), "--base=" + (root / "site" / "menu").string(), "--out", project}), 0)
        << err.str();
    EXPECT_EQ(out.str(), "Added 2 pages in 2 folders.\n");
    ProjectData read;
    ASSERT_EQ(readProjectData(project, read), ReadOutcome::Loaded);
    EXPECT_EQ(outline(read.tree), "F Home -> ../index.html\n\tF Docs -> \n\t\tD Guide -> ../docs/guide.html\n");
}

TEST_F(ImportCommandTest, AProjectRecordsItsSiteWhichTheCheckUsesAndAReimportIgnoresTheBuilds)
{
    page("site/index.html", "Home");
    page("site/docs/guide.html", "Guide");
    page("site/menu/notes.html", "A page in the menu folder");
    const fs::path site = root / "site";
    const std::string project = (root / "projects" / "site.qmp").string();
    fs::create_directories(root / "projects");
    ASSERT_EQ(run({site.string(), "--out", project}), 0) << err.str();
    const std::string firstReport = out.str();
    ProjectData read;
    ASSERT_EQ(readProjectData(project, read), ReadOutcome::Loaded);
    EXPECT_EQ(read.options.site.siteFolder, "../site");
    EXPECT_EQ(read.options.site.menuFolder, "menu");
    EXPECT_EQ(read.options.targetFrame, "") << "no page holds frames";
    const std::string first = outline(read.tree);
    EXPECT_EQ(first, "F Home -> index.html\n\tF Docs -> \n\t\tD Guide -> docs/guide.html\n");

    // The check finds the links from the site folder, not from the project's.
    std::ostringstream checkOut, checkErr;
    EXPECT_EQ(runCheckCommand({project}, checkOut, checkErr), 0) << checkOut.str() << checkErr.str();

    // Builds into the menu folder and into an out folder with the shipped test pages and sample
    // site: none of it comes back; a page of the site's own named like a test page does.
    BuildSiteMenu(read.tree, read.options, BuildStyleSheet(read.options.look),
                  {site / "menu", "menu", fs::path(QUILLMAP_SOURCE_DIR) / "assets" / "out"});
    fs::copy(fs::path(QUILLMAP_SOURCE_DIR) / "assets" / "out", site / "out", fs::copy_options::recursive);
    BuildMenu(read.tree, read.options, read.options.look, site / "out");
    fs::copy(site / "menu" / "quillmap-test.html", site / "docs" / "quillmap-test.html");
    page("site/docs/static.html", "Static");
    ASSERT_EQ(run({site.string(), "--out", project}), 0) << err.str();
    ASSERT_EQ(readProjectData(project, read), ReadOutcome::Loaded);
    EXPECT_EQ(outline(read.tree), "F Home -> index.html\n\tF Docs -> \n\t\tD Guide -> docs/guide.html\n\t\tD Static -> docs/static.html\n");
    EXPECT_NE(out.str().find("Skipped 7 files or folders a Quillmap build wrote: "), std::string::npos) << out.str();

    // A site that uses frames keeps the target frame; another --base records no site.
    const struct {
        std::string body;
        std::string frame;
    } frames[] = {
        {"<frameset cols=\"20%,*\"><frame src=\"a.html\"></frameset>", "main_frame"},
        {"<p>text</p><IFRAME src=\"a.html\"\n NAME=\"content\"></iframe>", "main_frame"},
        {"<iframe src=\"video.html\"></iframe>", ""},
    };
    for (const auto& f : frames) {
        write("framed/index.html", "<title>Framed</title>" + f.body);
        ASSERT_EQ(run({(root / "framed").string(), "--base", site.string(), "--out", project}), 0) << err.str();
        ProjectData framed;
        ASSERT_EQ(readProjectData(project, framed), ReadOutcome::Loaded);
        EXPECT_EQ(framed.options.targetFrame, f.frame) << f.body;
        EXPECT_TRUE(framed.options.site.empty());
    }
}
