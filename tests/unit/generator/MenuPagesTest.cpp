#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "text/TextFile.h"
#include "generator/MenuEntries.h"
#include "generator/MenuPages.h"
#include "generator/PageMenu.h"
#include "TreeFixtures.h"

using namespace quillmap;
using namespace quillmap::testing;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

namespace {

// Root; Home; A (closed) / Page, B (closed) / Deep; Section B (a/b/); Über; Help (in the menu
// folder); Web.
void buildSite(ItemTree& tree)
{
    Node* root = addFolder(tree, nullptr, "Root");
    addDocument(tree, root, "Home", "index.html");
    Node* a = addFolder(tree, root, "A");
    addDocument(tree, a, "Page", "a/page.html");
    addDocument(tree, addFolder(tree, a, "B"), "Deep", "a/./b/c/../c/deep.html#top");
    addDocument(tree, root, "Section B", "a/b/");
    addDocument(tree, root, "\xC3\x9C" "ber", "my folder/\xC3\xBC" "ber.html");
    addDocument(tree, root, "Help", "menu/help.html");
    addDocument(tree, root, "Web", "http://example.org/x.html");
}

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

}  // namespace

TEST(PageMenuTest, LinksAreRelativeToEachPageAndItsOwnEntryIsCurrent)
{
    ItemTree tree;
    buildSite(tree);
    PageMenu menu(ReadMenuEntries(tree, GlobalOptions{}), GlobalOptions{}, "menu");
    struct Row {
        const char* page;
        std::vector<std::string> holds;  // the first one is the current entry's link, when there is one
        bool current;
    };
    const Row rows[] = {
        {"index.html", {"href=\"index.html\" aria-current", "href=\"menu/Quillnavstatic.css\"",
                        "href=\"a/b/c/deep.html#top\"", "<details><summary>B<"}, true},
        {"a/page.html", {"href=\"page.html\" aria-current", "<details open><summary>A<", "href=\"b/c/deep.html#top\"",
                         "href=\"../index.html\"", "src=\"../menu/Quillnavcurrent.js\""}, true},
        {"a/b/c/deep.html", {"href=\"deep.html#top\" aria-current", "<details open><summary>B<",
                             "href=\"../../../menu/Quillnavstatic.css\"", "href=\"../\""}, true},
        {"a/b/index.html", {"href=\"./\" aria-current", "href=\"../../index.html\""}, true},
        {"menu/help.html", {"href=\"help.html\" aria-current", "href=\"Quillnavstatic.css\"", "href=\"../index.html\""}, true},
        {"my folder/\xC3\xBC" "ber.html", {"href=\"\xC3\xBC" "ber.html\" aria-current", "href=\"../a/page.html\""}, true},
        {"other.html", {"href=\"a/page.html\"", "href=\"http://example.org/x.html\""}, false},
    };
    for (const Row& row : rows) {
        const std::string text = menu.render(row.page);
        EXPECT_EQ(count(text, "aria-current"), row.current ? 1u : 0u) << row.page;
        for (const std::string& part : row.holds) EXPECT_NE(text.find(part), std::string::npos) << row.page << ": " << part;
        EXPECT_EQ(count(text, "http://example.org/x.html"), 1u) << row.page;
        EXPECT_EQ(text.find("data-site-links"), std::string::npos);
    }
    // With the menu folder at the site's root, a root page finds the stylesheet beside it.
    EXPECT_NE(PageMenu(ReadMenuEntries(tree, {}), {}, "").render("x.html").find("href=\"Quillnavstatic.css\""),
              std::string::npos);
}

TEST(MenuPagesTest, OnlyTheBytesBetweenTheMarkersChange)
{
    const std::string menu = "<a>\xC3\xA9</a>\r\n<b>\r\n";
    const auto wide = [](const std::string& text) {
        std::string out;
        for (char c : text) out += std::string{c, '\0'};
        return out;
    };
    struct Row {
        std::string page, expected;
    };
    const Row rows[] = {
        {"<p>\n<!-- quillmap --></p>\n", "<p>\n<!-- quillmap -->\n<a>&#xE9;</a>\n<b>\n<!-- /quillmap --></p>\n"},
        {"\xEF\xBB\xBF<p>\r\n<!-- quillmap -->old<!-- /quillmap -->\r\n\xE9",
         "\xEF\xBB\xBF<p>\r\n<!-- quillmap -->\r\n<a>\xC3\xA9</a>\r\n<b>\r\n<!-- /quillmap -->\r\n\xE9"},
        {"<meta charset=\"UTF-8\"><!-- quillmap -->", "<meta charset=\"UTF-8\"><!-- quillmap -->\r\n<a>\xC3\xA9</a>\r\n<b>\r\n<!-- /quillmap -->"},
        {"<meta http-equiv=Content-Type content='text/html; charset=iso-8859-1'>\r<!-- quillmap -->\xE9",
         "<meta http-equiv=Content-Type content='text/html; charset=iso-8859-1'>\r<!-- quillmap -->\r<a>&#xE9;</a>\r<b>\r<!-- /quillmap -->\xE9"},
        {"\xFF\xFE" + wide("<p>\r\n<!-- quillmap -->"),
         "\xFF\xFE" + wide("<p>\r\n<!-- quillmap -->\r\n<a>&#xE9;</a>\r\n<b>\r\n<!-- /quillmap -->")},
    };
    for (const Row& row : rows) {
        const std::optional<std::string> once = pageWithMenu(row.page, menu);
        ASSERT_TRUE(once) << row.page;
        EXPECT_EQ(*once, row.expected);
        EXPECT_EQ(pageWithMenu(*once, menu), *once) << "a second run changes " << row.page;
    }
    EXPECT_FALSE(pageWithMenu("<!-- /quillmap --> <!-- quill map -->", menu));
}

TEST(MenuPagesTest, WritesMarkedPagesOnlyOnceAndNeverThroughALink)
{
    std::random_device random;
    const fs::path site = fs::temp_directory_path() / ("quillmap-pages-" + std::to_string(random()));
    fs::create_directories(site / "a" / "b" / "c");
    fs::create_directories(site / "menu");
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(site / pathFromText(name), std::ios::binary) << text;
    };
    write("index.html", "<!-- quillmap -->");
    write("a/b/c/deep.html", "<p>\r\n<!-- quillmap -->");
    write("plain.html", "<p>no marker</p>");
    write("menu/Quillnav.html", "<!-- quillmap -->");
    write("readonly.html", "<!-- quillmap -->");
    fs::permissions(site / "readonly.html", fs::perms::owner_read | fs::perms::group_read);
    ItemTree tree;
    buildSite(tree);

    MenuPagesReport dry = writeMenuIntoPages(tree, {}, site, "menu", PagesMode::DryRun);
    EXPECT_THAT(dry.changed, ElementsAre("index.html", "readonly.html", "a/b/c/deep.html"));
    EXPECT_EQ(readWholeFile(site / "index.html"), "<!-- quillmap -->");
#ifndef _WIN32
    fs::create_symlink("index.html", site / "link.html");
#endif

    const MenuPagesReport first = writeMenuIntoPages(tree, {}, site, "menu");
    EXPECT_THAT(first.changed, ElementsAre("index.html", "a/b/c/deep.html"));
    EXPECT_NE(readWholeFile(site / "a/b/c/deep.html").find("href=\"deep.html#top\" aria-current"), std::string::npos);
    EXPECT_EQ(readWholeFile(site / "menu/Quillnav.html"), "<!-- quillmap -->");
    const auto stamp = fs::last_write_time(site / "index.html");
    ASSERT_EQ(first.failed.size(), 1u);
    EXPECT_EQ(first.failed[0].page, "readonly.html");
#ifndef _WIN32
    ASSERT_EQ(first.skipped.size(), 1u);
    EXPECT_EQ(first.skipped[0].page, "link.html");
    EXPECT_TRUE(fs::is_symlink(site / "link.html"));
#endif

    const MenuPagesReport second = writeMenuIntoPages(tree, {}, site, "menu");
    EXPECT_TRUE(second.changed.empty());
    EXPECT_THAT(second.unchanged, ElementsAre("index.html", "a/b/c/deep.html"));
    EXPECT_EQ(fs::last_write_time(site / "index.html"), stamp);
    fs::permissions(site / "readonly.html", fs::perms::owner_write, fs::perm_options::add);
    fs::remove_all(site);
}
