#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <regex>

#ifndef _WIN32
#include "tests/unit/support/FullDisk.h"
#endif

#include "text/Error.h"
#include "text/TextFile.h"
#include "generator/MenuBuild.h"
#include "generator/ShippedFiles.h"
#include "styles/StyleSheet.h"
#include "project/ProjectData.h"
#include "TreeFixtures.h"

using namespace quillmap;
using namespace quillmap::testing;
namespace fs = std::filesystem;

namespace {

class MenuBuildTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        folder = fs::temp_directory_path() / ("quillmap-build-" + std::to_string(random()));
        fs::create_directories(folder / "out");
        out = folder / "out";
        buildWorkedExample(tree);
    }
    void TearDown() override { fs::remove_all(folder); }

    static std::string read(const fs::path& path) { return readWholeFile(path); }
    static void write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

    fs::path folder;
    fs::path out;
    ItemTree tree;
};

}  // namespace

TEST_F(MenuBuildTest, WritesScriptAndStyleSheetWithCrLf)
{
    BuildMenu(tree, GlobalOptions{}, MenuLook{}, out);
    const std::string script = read(folder / "out" / "Quillnav.js");
    EXPECT_EQ(script, joinLinesCrLf(BuildScriptLines(tree, GlobalOptions{})));
    const std::string lastLine = "insDoc(foldersTree, gLnk(0, \"News\", \"news.html\"))\r\n";
    EXPECT_EQ(script.substr(script.size() - lastLine.size()), lastLine);
    EXPECT_EQ(script.find('\n'), script.find("\r\n") + 1);  // no lone line feed
    EXPECT_EQ(std::count(script.begin(), script.end(), '\n'), std::count(script.begin(), script.end(), '\r'));
    EXPECT_EQ(read(folder / "out" / "Quillnavstyle.css"),
              "BODY {background-color: #FFFFFF}\r\n"
              "A:link {text-decoration: none; color: #0000FF}\r\n"
              "A:visited {text-decoration: none; color: #0000FF}\r\n"
              "A:hover {text-decoration: none; color: #FF0000}\r\n"
              "TD {color: #000000}\r\n");
}

TEST_F(MenuBuildTest, TwoBuildsGiveIdenticalFiles)
{
    BuildMenu(tree, GlobalOptions{}, MenuLook{}, out);
    const std::string script = read(folder / "out" / "Quillnav.js");
    const std::string css = read(folder / "out" / "Quillnavstyle.css");
    BuildMenu(tree, GlobalOptions{}, MenuLook{}, out);
    EXPECT_EQ(read(folder / "out" / "Quillnav.js"), script);
    EXPECT_EQ(read(folder / "out" / "Quillnavstyle.css"), css);
}

TEST_F(MenuBuildTest, UsesTheGivenStyleSheetLines)
{
    BuildMenu(tree, GlobalOptions{}, Lines{"BODY {background-color: #123456}"}, out);
    EXPECT_EQ(read(folder / "out" / "Quillnavstyle.css"), "BODY {background-color: #123456}\r\n");
}

TEST_F(MenuBuildTest, MissingOutFolderIsReportedAndNeverCreated)
{
    const fs::path missing = folder / "missing";
    try {
        BuildMenu(tree, GlobalOptions{}, MenuLook{}, missing);
        FAIL() << "built into a missing folder";
    } catch (const Error& e) {
        EXPECT_THAT(std::string(e.what()), ::testing::StartsWith("Cannot create file " + pathText(missing / "Quillnav.js") + ": "));
    }
    EXPECT_FALSE(fs::exists(missing));
}

// One file of the menu cannot be replaced: no file of the menu is, so a live site never shows two
// menus; a link planted at any name is replaced, never written through.
TEST_F(MenuBuildTest, AMenuIsReplacedWholeOrNotAtAllAndNeverThroughALink)
{
    const std::vector<std::string> names = {"Quillnav.js", "Quillnavstyle.css", "Quillnav.html", "Quillnavstatic.css",
                                            "Quillnavcurrent.js", "static.html"};
    for (const std::string& blocked : names) {
        SCOPED_TRACE(blocked);
        for (const std::string& name : names) write(out / name, "old " + name);
        fs::remove(out / blocked);
        fs::create_directory(out / blocked);
        EXPECT_THROW(BuildMenu(tree, GlobalOptions{}, MenuLook{}, out), Error);
        for (const std::string& name : names) {
            if (name != blocked) {
                EXPECT_EQ(read(out / name), "old " + name);
            }
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 6);
        fs::remove(out / blocked);
    }
#ifndef _WIN32
    const fs::path victim = folder / "victim";
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        write(victim, "someone else's file");
        fs::remove(out / name);
        fs::create_symlink(victim, out / name);
        BuildMenu(tree, GlobalOptions{}, MenuLook{}, out);
        EXPECT_EQ(read(victim), "someone else's file");
        EXPECT_FALSE(fs::is_symlink(out / name));
    }
#endif
}

TEST_F(MenuBuildTest, ASiteBuildWritesOnlyTheMenusFilesAndKeepsTheUsersPictures)
{
    const fs::path shipped = folder / "shipped";
    fs::create_directories(shipped);
    for (const std::string& name : TreePictureNames()) write(shipped / name, "picture " + name);
    write(shipped / "ftv2doc_1.gif", "icon");
    write(shipped / "index.html", "test page");
    tree.preorder().back()->record()->CustomImage = "ftv2doc_1.gif";
    const fs::path menu = folder / "site" / "menu";
    fs::create_directories(menu);
    write(menu / "ftv2doc.gif", "the user's own");

    const FolderFilesReport report = BuildSiteMenu(tree, GlobalOptions{}, BuildStyleSheet(MenuLook{}), {menu, "menu", shipped});
    EXPECT_THAT(report.kept, ::testing::ElementsAre("ftv2doc.gif"));
    EXPECT_EQ(read(menu / "ftv2doc.gif"), "the user's own");
    EXPECT_EQ(read(menu / "ftv2doc_1.gif"), "icon");
    std::vector<std::string> written;
    for (const auto& entry : fs::directory_iterator(menu)) written.push_back(entry.path().filename().string());
    EXPECT_EQ(written.size(), 5 + 1 + TreePictureNames().size() + 1);  // menus, test page, pictures, icon
    for (const char* never : {"index.html", "static.html", "welcome.html"}) EXPECT_FALSE(fs::exists(menu / never));
    EXPECT_FALSE(fs::exists(folder / "site" / "index.html"));
    EXPECT_NE(read(menu / "Quillnav.html").find("<nav class=\"quillnav\" aria-label=\"Root Folder\" data-site-links>"),
              std::string::npos);
    BuildMenu(tree, GlobalOptions{}, BuildStyleSheet(MenuLook{}), out);
    EXPECT_EQ(read(out / "Quillnav.html").find("data-site-links"), std::string::npos);

    const auto before = fs::last_write_time(menu / "Quillnav.js");
    const FolderFilesReport again = BuildSiteMenu(tree, GlobalOptions{}, BuildStyleSheet(MenuLook{}), {menu, "menu", shipped});
    EXPECT_TRUE(again.written.empty());
    EXPECT_EQ(fs::last_write_time(menu / "Quillnav.js"), before);
}

#ifndef _WIN32
// The disk is full for this process: files may not grow past a few bytes. A live site's menu
// stays whole, the error names the file and the reason.
TEST_F(MenuBuildTest, WriteFailureIsAStreamWriteErrorAndKeepsTheOldMenu)
{
    write(folder / "out" / "Quillnav.js", "old script");
    std::string error = "no error";
    try {
        const FullDisk full;
        BuildMenu(tree, GlobalOptions{}, MenuLook{}, out);
    } catch (const Error& e) {
        error = e.what();
    }
    // The old first words, then which file and why.
    EXPECT_EQ(error, "Stream write error. " + (folder / "out" / "Quillnav.js").string() + ": " + std::strerror(EFBIG));
    EXPECT_EQ(read(folder / "out" / "Quillnav.js"), "old script");
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);
}
#endif

TEST_F(MenuBuildTest, RefusedTreeWritesNothing)
{
    write(folder / "out" / "Quillnav.js", "old script\r\n");
    addFolder(tree, nullptr, "Second top item");
    EXPECT_THROW(BuildMenu(tree, GlobalOptions{}, MenuLook{}, out), Error);
    EXPECT_EQ(read(folder / "out" / "Quillnav.js"), "old script\r\n");
    EXPECT_FALSE(fs::exists(folder / "out" / "Quillnavstyle.css"));
}

TEST(MenuPaths, JoinWithTheSeparatorOnce)
{
    const std::string sep(1, static_cast<char>(fs::path::preferred_separator));
    EXPECT_EQ(pathText(OutFolderOf("/opt/quillmap")), "/opt/quillmap" + sep + "out");
    EXPECT_EQ(pathText(OutFolderOf("/opt/quillmap/")), "/opt/quillmap/out");
    EXPECT_EQ(pathText(JoinPath("C:\\Quillmap\\out\\", "Quillnav.js")), "C:\\Quillmap\\out\\Quillnav.js");
}

// Building into a folder of the user's adds what the menu needs and touches nothing of theirs:
// no file is replaced, no link followed, and a target inside the shipped folder is not copied
// into itself.
TEST_F(MenuBuildTest, AddsOnlyMissingShippedFilesAndNeverLeavesTheTarget)
{
    const fs::path shipped = folder / "out";
    write(shipped / "index.html", "page");
    write(shipped / "ftv2doc.gif", "GIF89a");
    write(shipped / "Quillnav.js", "stale script");
    write(shipped / "Quillnavstyle.css", "stale css");
    fs::create_directories(shipped / "sample" / "about");
    write(shipped / "sample" / "about" / "history.html", "history");
    write(folder / "outside.html", "mine");
    fs::create_directory(folder / "elsewhere");
    using Names = std::vector<std::string>;
    const Names all{"ftv2doc.gif", "index.html", "sample/about/history.html"};
    const struct {
        const char* what;
        fs::path target;
        std::function<void(const fs::path&)> prepare;
        Names added, kept;
        Names folders{"sample"};
    } cases[] = {
        {"new folder", folder / "new" / "site", [](const fs::path&) {}, all, {}},
        {"no build needs the sample", folder / "plain", [](const fs::path&) {}, {"ftv2doc.gif", "index.html"}, {}, {}},
        {"the user's page", folder / "site1", [](const fs::path& t) { write(t / "index.html", "older page"); },
         {"ftv2doc.gif", "sample/about/history.html"}, {"index.html"}},
#ifndef _WIN32  // links need rights of their own on Windows, and wine has none
        {"planted links", folder / "site2",
         [](const fs::path& t) {
             fs::create_symlink("../outside.html", t / "index.html");
             fs::create_symlink("../elsewhere", t / "sample");
             fs::create_symlink("../nowhere.gif", t / "ftv2doc.gif");
         },
         {}, all},
#endif
        {"inside the shipped folder", shipped / "menu", [](const fs::path&) {}, all, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::create_directories(c.target);
        c.prepare(c.target);
        const ShippedFilesReport report = addMissingShippedFiles(pathText(shipped), pathText(c.target), c.folders);
        EXPECT_EQ(report.added, c.added);
        EXPECT_EQ(report.kept, c.kept);
        for (const std::string& name : c.added) EXPECT_EQ(read(c.target / name), read(shipped / name)) << name;
        EXPECT_FALSE(fs::exists(c.target / "Quillnav.js"));
        EXPECT_FALSE(fs::exists(c.target / "menu"));
    }
    EXPECT_EQ(read(folder / "site1" / "index.html"), "older page");
    EXPECT_EQ(read(folder / "outside.html"), "mine");
    EXPECT_TRUE(fs::is_empty(folder / "elsewhere"));
    EXPECT_FALSE(fs::exists(folder / "plain" / "sample"));
    EXPECT_FALSE(fs::exists(folder / "nowhere.gif"));

    EXPECT_THROW(addMissingShippedFiles(pathText(folder / "nowhere"), pathText(folder / "site3")), Error);
    write(folder / "file", "");
    try {
        addMissingShippedFiles(pathText(shipped), pathText(folder / "file" / "sub"));
        FAIL() << "copied below a file";
    } catch (const Error& e) {
        EXPECT_THAT(e.what(), ::testing::AllOf(::testing::StartsWith("Cannot create "),
                                               ::testing::HasSubstr(pathText(folder / "file"))));
    }
}

// Only a relative link whose first part is a shipped folder brings that folder beside the menu.
TEST_F(MenuBuildTest, TheShippedFoldersThatTheLinksLeadInto)
{
    fs::create_directories(out / "sample-site" / "about");
    fs::create_directories(out / "extra");
    write(out / "page", "");
    ItemTree links;
    Node* root = addFolder(links, nullptr, "Root", "http://sample-site/x.html");
    for (const char* url : {"", "sample-site", "/sample-site/a.html", "mailto:extra/x", "page/x", "missing/a.html",
                            "../extra/a.html", "./sample-site/about/a.html", "sample-site/b.html", "extra\\c.html"})
        addDocument(links, root, url, url);
    EXPECT_EQ(linkedShippedFolders(pathText(out), links), (std::vector<std::string>{"sample-site", "extra"}));
    EXPECT_TRUE(linkedShippedFolders(pathText(out), tree).empty());
}

TEST(ShippedOutFolder, HoldsThePageAndEveryImageAtTwiceItsShownSize)
{
    const fs::path shipped = fs::path(QUILLMAP_SOURCE_DIR) / "assets" / "out";
    const std::string page = readWholeFile((shipped / "index.html").string());
    EXPECT_THAT(page, ::testing::HasSubstr("HREF=\"Quillnavstyle.css\""));
    EXPECT_THAT(page, ::testing::HasSubstr("SRC=\"Quillnav.js\""));
    EXPECT_THAT(page, ::testing::HasSubstr("SRC=\"quillmap-test.js\""));
    EXPECT_THAT(page, ::testing::HasSubstr("name=\"main_frame\""));
    EXPECT_THAT(page, ::testing::HasSubstr("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"));
    // The menu shows them at 16 x 22; drawn at 32 x 44 they stay sharp on high-density screens.
    for (const char* name : {"ftv2folderopen.gif", "ftv2folderclosed.gif", "ftv2doc.gif", "ftv2mnode.gif",
                             "ftv2mlastnode.gif", "ftv2pnode.gif", "ftv2plastnode.gif", "ftv2node.gif",
                             "ftv2lastnode.gif", "ftv2vertline.gif", "ftv2blank.gif", "ftv2doc_1.gif",
                             "ftv2doc_2.gif", "ftv2doc_3.gif"}) {
        const std::string gif = readWholeFile((shipped / name).string());
        ASSERT_GE(gif.size(), 10u) << name;
        EXPECT_EQ(gif.substr(0, 3), "GIF") << name;
        const auto u8 = [&gif](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(gif[i])); };
        EXPECT_EQ(u8(6) | u8(7) << 8, 32u) << name << " width";
        EXPECT_EQ(u8(8) | u8(9) << 8, 44u) << name << " height";
    }
    // The static stylesheet takes seven such cells, one under the other, from this picture.
    const std::string png = readWholeFile((shipped / "quillnav-tree.png").string());
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(12, 12), std::string("IHDR\0\0\0\x20\0\0\x01\x34", 12)) << "32 x 308";
}

TEST(ShippedOutFolder, EveryLinkOfTheSampleProjectAndOfTheShippedPagesReachesAShippedFile)
{
    const fs::path shipped = fs::path(QUILLMAP_SOURCE_DIR) / "assets" / "out";
    const auto isLocal = [](const std::string& link) {
        return !link.empty() && link.find(':') == std::string::npos && link[0] != '#';
    };
    const auto expectShipped = [&](const fs::path& from, std::string link) {
        link = link.substr(0, link.find_first_of("?#"));
        if (link == ScriptFileName || link == StyleSheetFileName) return;  // written by the build
        EXPECT_TRUE(fs::is_regular_file(from / link)) << link << " linked from " << from;
    };

    ProjectData sample;
    ASSERT_EQ(readProjectData(std::string(QUILLMAP_SOURCE_DIR) + "/assets/Projects/sample_site.qmp", sample),
              ReadOutcome::Loaded);
    int local = 0;
    sample.tree.forEach([&](Node* node, int) {
        for (const std::string* file : {&node->record()->URL, &node->record()->CustomImage})
            if (isLocal(*file)) ++local, expectShipped(shipped, *file);
    });
    EXPECT_GE(local, 20);

    const std::regex reference(R"re((?:href|src|action)\s*=\s*"([^"]*)")re", std::regex::icase);
    int pages = 0;
    for (const auto& entry : fs::recursive_directory_iterator(shipped)) {
        if (entry.path().extension() != ".html") continue;
        ++pages;
        const std::string text = readWholeFile(entry.path().string());
        for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it)
            if (isLocal((*it)[1])) expectShipped(entry.path().parent_path(), (*it)[1]);
    }
    EXPECT_GE(pages, 20);
}
