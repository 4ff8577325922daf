#include <gtest/gtest.h>

#include <sstream>

#include "cli/CheckCommand.h"
#include "cli/ImportCommand.h"
#include "project/ProjectWriter.h"
#include "tests/unit/import/SiteFixture.h"

using namespace quillmap;
namespace fs = std::filesystem;

namespace {

std::string urlset(const std::vector<std::string>& locations)
{
    std::string xml = "<urlset>";
    for (const std::string& l : locations) xml += "<url><loc>" + l + "</loc></url>";
    return xml + "</urlset>";
}

std::string sitemapIndex(const std::vector<std::string>& locations)
{
    std::string xml = "<sitemapindex>";
    for (const std::string& l : locations) xml += "<sitemap><loc>" + l + "</loc></sitemap>";
    return xml + "</sitemapindex>";
}

class InputBoundsTest : public test::SiteFixture {
protected:
    // A project whose one document links to link.
    std::string project(const std::string& link)
    {
        ItemTree tree;
        Node* top = tree.append(nullptr, "Site", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
        tree.append(top, "Big", DocumentImage, std::make_unique<TMyRec>(TMyRec{link, "0", "-1", ""}));
        const fs::path path = root / "site.qmp";
        saveProjectFile(path, tree, ProjectOptions{});
        return path.string();
    }
};

}  // namespace

// Input made to grow the memory far beyond its own size is cut short, and the report says where.
TEST_F(InputBoundsTest, InputThatWouldFillTheMemoryIsLeftOutWithAReason)
{
    std::string deep = "https://example.com";
    for (int i = 0; i <= 100; ++i) deep += "/s";
    write("deep.xml", urlset({"https://example.com/a.html", deep + "/page.html"}));
    write("pages.xml", urlset({"https://example.com/a.html", "https://example.com/b.html"}));
    write("index.xml", sitemapIndex({"https://example.com/pages.xml", "pages.xml", "./pages.xml"}));
    write("site/big.html", "");
    fs::resize_file(root / "site/big.html", (std::uintmax_t{16} << 20) + 1);

    const auto at = [&](const char* name) { return (root / name).string(); };
    const std::string out = at("out.qmp");
    const struct {
        bool check;  // quillmap-check, else quillmap-import
        std::vector<std::string> arguments;
        std::string line;
    } cases[] = {
        {false, {at("deep.xml"), "--out", out}, "Skipped 1 address more than 100 folders deep: " + deep + "/page.html\n"},
        {false, {at("index.xml"), "--out", out},
         "Added 2 pages in 1 folder.\n"
         "Skipped 2 addresses listed twice: pages.xml (a sitemap read already), ./pages.xml (a sitemap read already)\n"},
        {true, {project("big.html#part"), "--site", at("site")},
         "Site / Big: big.html#part: the page is larger than 16 MB, too large to look for the fragment in\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        (c.check ? runCheckCommand : runImportCommand)(c.arguments, out, err);
        EXPECT_NE(out.str().find(c.line), std::string::npos) << out.str() << err.str();
    }
}
