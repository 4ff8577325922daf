#include <gtest/gtest.h>

#include <sstream>

#include "cli/CheckCommand.h"
#include "import/RelativeLink.h"
#include "project/ProjectWriter.h"
#include "tests/unit/import/HttpTestServer.h"
#include "tests/unit/import/SiteFixture.h"

using namespace quillmap;
namespace fs = std::filesystem;

namespace {

class LinkCheckTest : public test::SiteFixture {
protected:
    // A project of one folder, "Site", with a document "L<n>" per link.
    std::string project(const std::vector<std::string>& links, const std::string& folder = "Site")
    {
        ItemTree tree;
        Node* top = tree.append(nullptr, folder, ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
        for (std::size_t i = 0; i < links.size(); ++i)
            tree.append(top, "L" + std::to_string(i), DocumentImage,
                        std::make_unique<TMyRec>(TMyRec{links[i], "0", "-1", ""}));
        const std::string path = (root / "links.qmp").string();
        saveProjectFile(path, tree, ProjectOptions{});
        return path;
    }
    int run(const std::vector<std::string>& arguments)
    {
        out.str({});
        err.str({});
        return runCheckCommand(arguments, out, err);
    }
    std::ostringstream out, err;
};

}  // namespace

TEST_F(LinkCheckTest, ReportsExactlyTheBrokenLinksInTreeOrder)
{
    test::HttpTestServer server;
    const std::string web = "http://127.0.0.1:" + std::to_string(server.port);
    write("site/page.html", "<p id=intro>Hi</p><a name=\"na me\"></a>");
    write("site/page two.html", "");
    write("site/caf\xC3\xA9.html", "");
    write("site/sub/index.htm", "");
    write("site/noindex/notes.txt", "");
    write("outside.html", "");
    write("elsewhere/secret.html", "<p id=there>");
    if (PosixFiles) {
        fs::create_directory_symlink(root / "elsewhere", root / "site/escape");
        fs::create_symlink(root / "elsewhere/secret.html", root / "site/secret.html");
        fs::create_symlink("page.html", root / "site/alias.html");
    }
    write("site/big.html", "");
    fs::resize_file(root / "site/big.html", (std::uintmax_t{16} << 20) + 1);
    const std::string site = (root / "site").string();
#ifdef _WIN32
    const auto fileUrl = [](const fs::path& path) { return "file:///" + path.generic_string(); };
#else
    const auto fileUrl = [](const fs::path& path) { return "file://" + path.string(); };
#endif
    const struct {
        std::string link;
        std::string reason;  // empty: the link is good
        bool throughLink = false;
    } cases[] = {
        {"page.html", ""},
        {"/page.html", ""},
        {"./sub/../page.html?x=1#intro", ""},
        {"page.html#na%20me", ""},
        {"page.html#top", ""},
        {"page%20two.html", ""},
        {"caf%C3%A9.html", ""},
        {"sub", ""},
        {"sub\\", ""},
        {fileUrl(root / "site/page.html"), ""},
        {"mailto:me@example.org", ""},
        {"#intro", ""},
        {"missing.html", "no such file"},
        {"noindex/", "a folder without an index page"},
        {"page.html#gone", "no id or name \"gone\" in the page"},
        {"../outside.html", "leaves the site folder"},
        {fileUrl(root / "outside.html"), "leaves the site folder"},
        {"page.html/", "not a folder"},
        {"escape/secret.html", "a symbolic link out of the site folder", true},
        {"escape/secret.html#nothere", "a symbolic link out of the site folder", true},
        {"escape/", "a symbolic link out of the site folder", true},
        {"secret.html#there", "a symbolic link out of the site folder", true},
        {"alias.html#intro", "", true},
        {"big.html#part", "the page is larger than 16 MB, too large to look for the fragment in"},
        {"", "empty link"},
        {web + "/ok", ""},
        {web + "/ok#part", ""},
        {web + "/moved", ""},
        {web + "/nohead", ""},
        {web + "/hop/5", ""},
        {web + "/hop/6", "more than 5 redirects"},
        {web + "/loop-a", "redirect loop"},
        {web + "/no-location", "HTTP status 302 without a Location to go to"},
        {web + "/long-location", "the server's answer has a header line longer than 100 KB"},
        {web + "/big-header", "the server's answer has a header line longer than 100 KB"},
        {web + "/missing", "HTTP status 404"},
        {web + "/error", "HTTP status 500"},
        {web + "/silent", "no answer within 1 s"},
    };
    std::vector<std::string> links;
    std::string expected;
    std::size_t broken = 0;
    for (const auto& c : cases) {
        if (c.throughLink && !PosixFiles) continue;
        if (!c.reason.empty())
            expected += "Site / L" + std::to_string(links.size()) + ": " + c.link + ": " + c.reason + "\n";
        broken += !c.reason.empty();
        links.push_back(c.link);
    }
    expected += std::to_string(links.size() - 2) + " links checked, " + std::to_string(broken) +
                " broken, 2 not checked.\n";
    EXPECT_EQ(run({project(links), "--site", site, "--online", "--timeout", "1"}), 1) << err.str();
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(server.requests("/ok"), 2);  // two hops lead there; the two items of /ok share one request
}

TEST_F(LinkCheckTest, ExitStatusTellsGoodFromBrokenFromNotRun)
{
    write("page.html", "");
    const std::string good = project({"page.html", "http://127.0.0.1:1/"});
    EXPECT_EQ(run({good}), 0) << out.str() << err.str();
    EXPECT_EQ(out.str(), "1 link checked, 0 broken, 1 not checked.\n");
    EXPECT_EQ(run({good, "--site", (root / "none").string()}), 2);
    EXPECT_EQ(err.str(), "Cannot open folder " + (root / "none").string() + ".\n");
    EXPECT_EQ(run({write("other.qmp", "Some other file\r\n").string()}), 2);
    EXPECT_EQ(run({good, "--timeout", "0"}), 2);
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out.str(), "quillmap-check 2.0\n");
}

// The link picker enters a picked file's path from the site folder, never only its name.
TEST(LinkInsideFolderTest, PathFromTheSiteFolderOrNone)
{
    const struct {
        const char* file;
        const char* folder;
        std::optional<std::string> link;
    } cases[] = {
        {"/site/about/team.html", "/site", "about/team.html"},
        {"/site/our team.html", "/site/", "our%20team.html"},
        {"/site2/team.html", "/site", std::nullopt},
        {"/other/team.html", "/site", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(linkInsideFolder(c.file, c.folder), c.link) << c.file;
}

// Captions, links and the names in reasons come from the project: their control characters are
// shown, never sent to the terminal.
TEST_F(LinkCheckTest, ControlCharactersArePrintedVisibly)
{
    EXPECT_EQ(run({project({"gone\x1B[2J.html#\x07x"}, "Site\x1B]0;T\x07 \xC2\x9B")}), 1);
    EXPECT_EQ(out.str(), "Site\\x1B]0;T\\x07 \\u009B / L0: gone\\x1B[2J.html#\\x07x: no such file\n"
                         "1 link checked, 1 broken, 0 not checked.\n");
}
