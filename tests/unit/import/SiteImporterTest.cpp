#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <functional>
#include <initializer_list>

#include "text/Error.h"
#include "text/TextFile.h"
#include "generator/MenuBuild.h"
#include "import/RelativeLink.h"
#include "import/SiteImporter.h"
#include "project/ProjectData.h"
#include "project/ProjectWriter.h"
#include "tests/unit/import/SiteFixture.h"

using namespace quillmap;
namespace fs = std::filesystem;

namespace {

class SiteImporterTest : public test::SiteFixture {
protected:
    ImportResult import(ImportOptions options = {})
    {
        std::optional<ImportResult> result = SiteImporter(std::move(options)).importFolder(root);
        EXPECT_TRUE(result);
        return std::move(*result);
    }
};

}  // namespace

TEST_F(SiteImporterTest, FoldersAndPagesInTheirOrderWithIndexPagesAsFolderLinks)
{
    page("index.html", "Home &amp; Garden");
    page("about.html", "About us");
    write("opening-hours.htm", "<p>no title here</p>");
    page("blog/index.htm", "The Blog");
    page("blog/Index.php", "Second index");
    page("blog/page-10.html", "Ten");
    page("blog/page-2.html", "Two");
    page("blog/2024/news.shtml", "News");
    write("notes/draft.xhtml", "<title>Draft</title>");
    write("style.css", "body {}");
    write("report.pdf", "%PDF");

    const ImportResult result = import();
    EXPECT_EQ(outline(*result.items),
              "F Home & Garden -> index.html\n"
              "\tF The Blog -> blog/index.htm\n"
              "\t\tF 2024 -> \n"
              "\t\t\tD News -> blog/2024/news.shtml\n"
              "\t\tD Second index -> blog/Index.php\n"
              "\t\tD Two -> blog/page-2.html\n"
              "\t\tD Ten -> blog/page-10.html\n"
              "\tF Notes -> \n"
              "\t\tD Draft -> notes/draft.xhtml\n"
              "\tD About us -> about.html\n"
              "\tD Opening hours -> opening-hours.htm\n");
    EXPECT_EQ(result.report.pages, 9u);
    EXPECT_EQ(result.report.folders, 4u);
    EXPECT_TRUE(result.report.skipped.empty());

    ImportOptions withPdf;
    withPdf.withPdf = true;
    EXPECT_NE(outline(*import(withPdf).items).find("\tD Report -> report.pdf\n"), std::string::npos);
}

TEST_F(SiteImporterTest, RecordsAreThoseOfNewItems)
{
    page("index.html", "Home");
    page("a/b.html", "B");
    const ImportResult result = import();
    const Node* root = result.items->root();
    EXPECT_EQ(*root->record(), (TMyRec{"index.html", "0", "0", ""}));
    EXPECT_EQ(root->child(0)->imageIndex, ClosedFolderImage);
    EXPECT_EQ(*root->child(0)->child(0)->record(), (TMyRec{"a/b.html", "0", "-1", ""}));
    EXPECT_EQ(root->child(0)->child(0)->selectedImageIndex, DocumentImage);
}

TEST_F(SiteImporterTest, LinksRunFromTheChosenBaseAndSurviveOddNames)
{
    page("index.html", "Home");
    const bool question = PosixFiles;  // no '?' in Windows names
    page(question ? "my page #1?.html" : "my page #1.html", "Odd");
    page("caf\xC3\xA9/100%.html", "Percent");

    ImportOptions menuFolder;
    menuFolder.base = root / "menu";
    EXPECT_EQ(outline(*import(menuFolder).items),
              "F Home -> ../index.html\n"
              "\tF Caf\xC3\xA9 -> \n"
              "\t\tD Percent -> ../caf%C3%A9/100%25.html\n"
              "\tD Odd -> ../my%20page%20%231" + std::string(question ? "%3F" : "") + ".html\n");

    ImportOptions above;
    above.base = root.parent_path();
    EXPECT_EQ(import(above).items->root()->record()->URL, encodeLinkSegment(root.filename().string()) + "/index.html");
}

TEST_F(SiteImporterTest, WhatCannotBeImportedIsSkippedAndReported)
{
    if (!PosixFiles) GTEST_SKIP() << "links and a named pipe";
    page("index.html", "Home");
    page(".git/hooks.html", "Hidden");
    page(".hidden.html", "Hidden");
    write("empty/deeper/notes.txt", "no page");
    write("picture.html", std::string("GIF89a\0\0\0", 9));
    page("sub/real.html", "Real");
    fs::create_symlink("..", root / "sub" / "up");
    fs::create_symlink(root / "missing.html", root / "broken.html");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((root / "pipe.html").c_str(), 0600), 0);
#endif

    const ImportResult result = import();
    EXPECT_EQ(outline(*result.items), "F Home -> index.html\n\tF Sub -> \n\t\tD Real -> sub/real.html\n");
    EXPECT_EQ(result.report.count(SkipReason::Hidden), 2u);
    EXPECT_EQ(result.report.count(SkipReason::EmptyFolder), 1u) << "only the topmost empty folder";
    EXPECT_EQ(result.report.count(SkipReason::LinkLoop), 1u);
    EXPECT_EQ(result.report.count(SkipReason::NotAPage), 1u);
    EXPECT_EQ(result.report.count(SkipReason::Unreadable), 1u);
#ifndef _WIN32
    EXPECT_EQ(result.report.count(SkipReason::NotAFile), 1u);
#endif
    const std::string summary = result.report.summary();
    EXPECT_EQ(summary.substr(0, summary.find('\n')), "Added 2 pages in 2 folders.");
    EXPECT_NE(summary.find("Skipped 1 folder without pages: empty/"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Skipped 1 link to a folder already read: sub/up/"), std::string::npos) << summary;
}

// Sites as hostile or merely odd as real ones: no link may turn into a scheme, a real folder keeps
// its name whatever links point to it, links out of the site are not followed unless asked for,
// gzipped sitemaps are read, and nothing of the data reaches a terminal as a control character.
TEST_F(SiteImporterTest, HostileAndOddSitesImportSafely)
{
    const fs::path outside = root.parent_path() / (root.filename().string() + "_outside");
    fs::create_directories(outside);
    page("../" + outside.filename().string() + "/secret.html", "Secret");
    const auto pages = [&](const fs::path& site, std::initializer_list<const char*> names) {
        for (const char* name : names) page(fs::relative(site / name, root).string(), fs::path(name).stem().string());
        return site;
    };
    const struct {
        const char* what;
        std::function<fs::path(const fs::path&)> make;  // the site folder or sitemap
        bool followOutside;
        std::string outline;
        std::string summary;
        bool posixFiles = true;
    } cases[] = {
        {"colons in names", [&](const fs::path& s) {
             return pages(s, {"index.html", "javascript:alert(1);x.html", "Help:Contents.html", "a:b/p.html"});
         }, false,
         "F index -> index.html\n\tF A:b -> \n\t\tD p -> ./a:b/p.html\n\tD Help:Contents -> ./Help:Contents.html\n"
         "\tD javascript:alert(1);x -> ./javascript:alert(1);x.html\n", "Added 4 pages in 2 folders.", true},
        {"aliases of folders", [&](const fs::path& s) {
             pages(s, {"docs/v2/P.html", ".store/X.html"});
             fs::create_symlink("docs/v2", s / "latest");
             fs::create_symlink(".store", s / "b-alias");
             fs::create_symlink(".store", s / "a-alias");
             return s;
         }, false,
         "F Site2 -> \n\tF A alias -> \n\t\tD X -> a-alias/X.html\n\tF Docs -> \n\t\tF V2 -> \n"
         "\t\t\tD P -> docs/v2/P.html\n",
         "Skipped 2 links to folders already read: b-alias/, latest/", true},
        {"links out of the site", [&](const fs::path& s) {
             fs::create_symlink(outside, pages(s, {"index.html"}) / "sysdoc");
             fs::create_symlink(outside / "secret.html", s / "private.html");
             return s;
         }, false, "F index -> index.html\n",
         "Skipped 2 links out of the site folder: private.html, sysdoc/", true},
        {"links out of the site, followed", [&](const fs::path& s) {
             fs::create_symlink(outside, pages(s, {"index.html"}) / "sysdoc");
             return s;
         }, true, "F index -> index.html\n\tF Sysdoc -> \n\t\tD Secret -> sysdoc/secret.html\n", "Added 2 pages"},
        {"gzipped sitemap with wiki and hostile addresses", [&](const fs::path& s) {
             fs::create_directories(s);
             const gzFile out = gzopen((s / "sitemap.xml.gz").string().c_str(), "wb");
             gzputs(out, "<urlset><url><loc>https://ex.com/wiki/Category:Cooking</loc></url>"
                     "<url><loc>https://ex.com/javascript:alert(1)</loc></url>"
                     "<url><loc>&#27;]0;PWNED&#7;</loc></url><url><loc>https://ex.com/list.php?a&amp;b</loc></url>"
                     "</urlset>");
             gzclose(out);
             return s / "sitemap.xml.gz";
         }, false,
         "F ex.com -> \n\tF Wiki -> \n\t\tD Category:Cooking -> wiki/Category:Cooking\n"
         "\tD Javascript:alert(1) -> ./javascript:alert(1)\n\tD List -> list.php?a&b\n",
         "Skipped 1 entry that is no web address: \\x1B]0;PWNED\\x07", false},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.posixFiles && !PosixFiles) continue;
        const fs::path site = c.make(root / ("site" + std::to_string(++n)));
        ImportOptions options;
        options.followLinksOutside = c.followOutside;
        const SiteImporter importer(options);
        const ImportResult result = *(fs::is_directory(site) ? importer.importFolder(site) : importer.importSitemap(site));
        EXPECT_EQ(outline(*result.items), c.outline);
        EXPECT_NE(result.report.summary().find(c.summary), std::string::npos) << result.report.summary();
    }
    fs::remove_all(outside);
}

TEST_F(SiteImporterTest, AFolderWithoutPagesOrAMissingFolderIsAnError)
{
    write("notes.txt", "no page");
    EXPECT_THROW(
        {
            try {
                SiteImporter(ImportOptions{}).importFolder(root);
            } catch (const Error& e) {
                EXPECT_EQ(std::string(e.what()), "No pages found in " + fs::weakly_canonical(root).string());
                throw;
            }
        },
        Error);
    EXPECT_THROW(SiteImporter(ImportOptions{}).importFolder(root / "missing"), Error);
}

TEST_F(SiteImporterTest, CancellingReturnsNothing)
{
    for (int i = 0; i < 200; ++i) page("p" + std::to_string(i) + ".html", "P");
    std::size_t calls = 0;
    ImportOptions options;
    options.progress = [&](std::size_t, std::size_t) { return ++calls < 2; };
    EXPECT_FALSE(SiteImporter(options).importFolder(root));
    EXPECT_EQ(calls, 2u) << "no more questions after the answer";
}

TEST_F(SiteImporterTest, AHugeTitleBecomesAShortCaptionInTheProjectsEncoding)
{
    write("index.html", "<meta charset=utf-8><title>Caf\xC3\xA9 \xE2\x98\xBA " + std::string(1 << 20, 'x') +
                            "</title>");
    ImportOptions options;
    options.encoding = TextEncoding::CodePage;
    const std::string caption = import(options).items->root()->caption;
    EXPECT_EQ(caption.substr(0, 14), "Caf\xE9 &#9786; x");
    EXPECT_EQ(caption.substr(caption.size() - 4), "x...");
}

// The pipeline: what the import makes is saved, read back by the project reader and built.
TEST_F(SiteImporterTest, TheImportedProjectReadsBackAndBuilds)
{
    page("index.html", "Home");
    page("a/index.html", "Section A");
    page("a/one.html", "One \"quoted\"");
    page("b/two.html", "Two");
    const ImportResult result = import();
    const std::string file = (root / "site.qmp").string();
    saveProjectFile(file, *result.items, ProjectOptions{});

    ProjectData read;
    ASSERT_EQ(readProjectData(file, read), ReadOutcome::Loaded);
    EXPECT_EQ(outline(read.tree), outline(*result.items));
    fs::create_directories(root / "menu");
    BuildMenu(read.tree, read.options, read.options.look, (root / "menu").string());
    EXPECT_NE(readWholeFile((root / "menu" / "Quillnav.js").string()).find("a/one.html"), std::string::npos);
}

TEST_F(SiteImporterTest, TheTitleEndingOrBeginningMostPagesShareIsLeftOut)
{
    const struct {
        std::vector<std::pair<std::string, std::string>> pages;  // name, title
        std::string outline;
        std::string report;
    } sites[] = {
        {{{"index.html", "Docs \xE2\x80\x94 Py"}, {"a.html", "Tutorial \xE2\x80\x94 Py"}, {"b.html", "Py"}},
         "F Docs -> index.html\n\tD Tutorial -> a.html\n\tD Py -> b.html\n", "Left \" \xE2\x80\x94 Py\" out"},
        {{{"a.html", "Shop | Caf\xC3\xA9 Anna"}, {"b.html", "Menu | Caf\xC3\xA9 Anna"}, {"d.html", "Map | Caf\xC3\xA9 Anna"}, {"c.html", "Other"}},
         "\tD Shop -> a.html\n\tD Menu -> b.html\n\tD Other -> c.html\n", "Left \" | Caf\xC3\xA9 Anna\" out"},
        {{{"a.html", "Anna: Shop"}, {"b.html", "Anna: Menu"}, {"c.html", "Anna \xC2\xB7 x"}, {"d.html", "Anna: Map"}},
         "\tD Shop -> a.html\n\tD Menu -> b.html\n", "Left \"Anna: \" out"},
        {{{"a.html", "One - Site"}, {"b.html", "Two \xE2\x80\x93 Site"}, {"c.html", "Three | Site"}}, "\tD One - Site -> a.html\n", ""},
        {{{"x/index.html", "Index - Site"}, {"y/index.html", "Index - Site"}, {"x/a.html", "A - Site"}},
         "\tF Index (Root) -> x/index.html\n\t\tD A -> x/a.html\n\tF Index (Root) -> y/index.html\n", "Left \" - Site\" out"},
    };
    for (const auto& site : sites) {
        fs::remove_all(root);
        page("index.html", "Root");
        for (const auto& [name, title] : site.pages) page(name, title);
        const ImportResult result = import();
        const std::string shown = outline(*result.items);
        EXPECT_NE(shown.find(site.outline), std::string::npos) << shown;
        EXPECT_EQ(result.report.summary().find("Left ") != std::string::npos, !site.report.empty()) << shown;
        if (!site.report.empty()) {
            EXPECT_NE(result.report.summary().find(site.report), std::string::npos) << result.report.summary();
        }
        ImportOptions keep;
        keep.keepTitles = true;
        EXPECT_EQ(outline(*import(keep).items).find(" (Root)"), std::string::npos);
    }
}

TEST_F(SiteImporterTest, AContentsPageGivesTheOrderAndNesting)
{
    const struct {
        const char* what;
        std::string body;  // of contents.html
        std::string outline;  // below "F Home -> index.html" and "D Contents -> contents.html"
        std::size_t unlisted;
    } sites[] = {
        {"nesting, a folder link, unlisted pages after",
         "<ul><li><a href='guide/'>G</a><ul><li><a href=b.html>B</a></ul></li><li><a href=a.html>A</a></ul>",
         "\tF Guide -> guide/index.html\n\t\tD B -> b.html\n\tD A -> a.html\n\tF Guide -> \n\t\tD D -> guide/d.html\n", 1},
        {"a page listed twice", "<ol><li><a href=b.html>x</a><li><a href=./a.html>x</a><li><a href=b.html>x</a></ol>",
         "\tD B -> b.html\n\tD A -> a.html\n\tF Guide -> guide/index.html\n\t\tD D -> guide/d.html\n", 2},
        {"anchors", "<ul><li><a href='a.html#one'>1</a><li><a href='b.html#x'>x</a><li><a href=a.html>A</a>"
                    "<li><a href='b.html#y'>y</a><li><a href='#top'>top</a></ul>",
         "\tD B -> b.html\n\tD A -> a.html\n\tF Guide -> guide/index.html\n\t\tD D -> guide/d.html\n", 2},
        {"empty items and a folder without link", "<ul><li></li><li>Just text</li><li> Part\n one<ul><li><a href=b.html>B</a></ul></ul>",
         "\tF Part one -> \n\t\tD B -> b.html\n\tF Guide -> guide/index.html\n\t\tD D -> guide/d.html\n\tD A -> a.html\n", 3},
        {"nav", "<nav><a href=a.html>A</a> | <a href=b.html>B</a></nav><p><a href=guide/d.html>not listed</a>",
         "\tD A -> a.html\n\tD B -> b.html\n\tF Guide -> guide/index.html\n\t\tD D -> guide/d.html\n", 2},
        {"definition list", "<dl><dt><a href=a.html>A</a><dd><a href=b.html>B</a><dd>text<dt>Second<dd><a href=guide/d.html>D</a></dl>",
         "\tF A -> a.html\n\t\tD B -> b.html\n\tF Second -> \n\t\tD D -> guide/d.html\n\tF Guide -> guide/index.html\n", 1},
        {"main part, links out of the site", "<header><ul><li><a href=b.html>B</a></ul></header><main><ul><li>"
         "<a href='https://ex.com/a.html'>out</a><li><a href=a.html>A</a><li><a href=../a.html>o</a></ul></main>",
         "\tD A -> a.html\n\tF Guide -> guide/index.html\n\t\tD D -> guide/d.html\n\tD B -> b.html\n", 3},
        {"a list right in a list", "<ul><li><a href=a.html>A</a></li><ul><li><a href=b.html>B</a></li></ul></ul>",
         "\tF A -> a.html\n\t\tD B -> b.html\n\tF Guide -> guide/index.html\n\t\tD D -> guide/d.html\n", 2},
    };
    page("index.html", "Home");
    page("a.html", "A");
    page("b.html", "B");
    page("guide/index.html", "Guide");
    page("guide/d.html", "D");
    ImportOptions options;
    options.contentsPage = "contents.html";
    for (const auto& site : sites) {
        SCOPED_TRACE(site.what);
        write("contents.html", "<title>Contents</title>" + site.body);
        const ImportResult result = import(options);
        EXPECT_EQ(outline(*result.items), "F Home -> index.html\n\tD Contents -> contents.html\n" + site.outline);
        EXPECT_EQ(result.report.unlistedPages, site.unlisted);
    }

    // However deep the lists are nested, and a contents page outside the site.
    std::string deep;
    for (int i = 0; i < 10000; ++i) deep += "<ul><li>";
    write("../deep_contents.html", deep + "<a href='" + root.filename().string() + "/b.html'>B</a>");
    options.contentsPage = root.parent_path() / "deep_contents.html";
    EXPECT_EQ(outline(*import(options).items).substr(0, 35), "F Home -> index.html\n\tD B -> b.html");
    fs::remove(options.contentsPage);
    options.contentsPage = "missing.html";
    EXPECT_THROW(SiteImporter(options).importFolder(root), Error);
}
