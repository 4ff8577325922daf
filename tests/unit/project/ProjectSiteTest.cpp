#include <gtest/gtest.h>

#include "text/Error.h"
#include "project/ProjectSite.h"
#include "ProjectTestSupport.h"

using namespace quillmap;
using namespace quillmap::test;
namespace fs = std::filesystem;

namespace {

const std::string SiteLines = "/---- * QMAP Site * ----/\r\n../site\r\nmenu\r\nWRITE_PAGES_YES\r\nindex.html\r\n";

}  // namespace

// The site follows the end marker, where a reader that knows no site stops: the rest of the
// project reads exactly as without it, and a project without a site is written as it always was.
TEST(ProjectSiteTest, TheSiteRidesAfterTheEndMarkerWithoutChangingTheRest)
{
    ItemTree tree;
    buildExampleTree(tree);
    ProjectOptions options;
    EXPECT_EQ(projectText(tree, options), exampleFileText());

    options.site = {"../site", "menu", true, "index.html"};
    const std::string withSite = projectText(tree, options);
    EXPECT_EQ(withSite, exampleFileText() + SiteLines);

    ProjectData plain, sited;
    ProjectDataTarget plainTarget(plain), sitedTarget(sited);
    readProjectText(exampleFileText(), plainTarget);
    readProjectText(withSite, sitedTarget);
    EXPECT_EQ(sited.options.site, options.site);
    sited.options.site = {};
    EXPECT_EQ(sited.options, plain.options);
    EXPECT_EQ(projectText(sited.tree, sited.options), exampleFileText());
}

TEST(ProjectSiteTest, FoldersAreStoredRelativeToTheProjectWherePossible)
{
#ifndef _WIN32
    struct Row {
        const char* site;
        const char* menu;
        const char* project;
        const char* storedSite;
        const char* storedMenu;
    };
    const Row rows[] = {
        {"/home/ann/site", "/home/ann/site/menu", "/home/ann", "site", "menu"},
        {"/home/ann/site", "/home/ann/site/a/nav", "/home/ann/site", ".", "a/nav"},
        {"/home/ann/sites/docs", "/home/ann/sites/docs", "/home/ann/projects", "../sites/docs", "."},
        {"/var/www/site", "/var/www/site/menu", "/home/ann", "/var/www/site", "menu"},  // only the root shared
        {"/var/www/site", "/var/menu", "/var/www", "site", "/var/menu"},
        {"/srv/site", "/srv/site/menu", "", "/srv/site", "menu"},  // a project not saved yet
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.site);
        const ProjectSite stored = storedSite(row.site, row.menu, row.project);
        EXPECT_EQ(stored.siteFolder, row.storedSite);
        EXPECT_EQ(stored.menuFolder, row.storedMenu);
        if (std::string(row.menu).rfind(row.site, 0) != 0) {
            EXPECT_THROW(resolveSite(stored, row.project), Error);
            continue;
        }
        const SiteFolders resolved = resolveSite(stored, row.project);
        EXPECT_EQ(resolved.site, fs::path(row.site));
        EXPECT_EQ(resolved.menu, fs::path(row.menu));
    }
    // Save As into another folder keeps the same folders.
    const ProjectSite moved = relocateSite({"site", "menu", false, ""}, "/home/ann", "/home/ann/archive/old");
    EXPECT_EQ(moved.siteFolder, "../../site");
    EXPECT_EQ(resolveSite(moved, "/home/ann/archive/old").menuInSite, "menu");
#endif
}
