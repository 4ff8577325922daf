#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "text/TextFile.h"
#include "cli/BuildCommand.h"
#include "generator/MenuBuild.h"
#include "project/ProjectWriter.h"

using namespace quillmap;
namespace fs = std::filesystem;

namespace {

// A program folder with a shipped out folder holding a test page and one image.
class BuildCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        base = fs::temp_directory_path() / ("quillmap_cli_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(base);
        fs::create_directories(base / "app" / "out");
        writeLinesCrLf((base / "app" / "out" / "index.html").string(), {"<html></html>"});
        writeLinesCrLf((base / "app" / "out" / "ftv2doc.gif").string(), {"GIF"});
        appFolder = base / "app";
    }
    void TearDown() override { fs::remove_all(base); }

    std::string writeProject(bool withItems, const ProjectSite& site = {})
    {
        ItemTree tree;
        if (withItems) {
            Node* root = tree.append(nullptr, "Root Folder", ClosedFolderImage,
                                     std::make_unique<TMyRec>(TMyRec::folderDefaults()));
            tree.append(root, "Home", DocumentImage, std::make_unique<TMyRec>(TMyRec{"home.html", "0", "-1", ""}));
        }
        const std::string path = (base / "site.qmp").string();
        ProjectOptions options;
        options.site = site;
        saveProjectFile(path, tree, options);
        return path;
    }

    int run(const std::vector<std::string>& arguments)
    {
        out.str({});
        err.str({});
        return runBuildCommand(arguments, appFolder, out, err);
    }

    fs::path base;
    fs::path appFolder;
    std::ostringstream out, err;
};

}  // namespace

TEST_F(BuildCommandTest, BuildsIntoTheProgramOutFolderByDefault)
{
    EXPECT_EQ(run({writeProject(true)}), 0) << err.str();
    const std::string script = readWholeFile((base / "app" / "out" / "Quillnav.js").string());
    EXPECT_NE(script.find("insDoc(foldersTree, gLnk(0, \"Home\", \"home.html\"))\r\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(base / "app" / "out" / "Quillnavstyle.css"));
    EXPECT_NE(out.str().find("Quillnav.js"), std::string::npos);
}

// The installer's uninstaller deletes the program folder: an installed program builds into the
// user's own out folder even though its own can be written, the zip's program into its own.
TEST_F(BuildCommandTest, InstalledProgramBuildsIntoTheUsersOwnOutFolder)
{
#ifdef _WIN32
    const char* const variable = "LOCALAPPDATA";
    const fs::path userOut = base / "user" / "Quillmap" / "out";
#else
    const char* const variable = "XDG_DATA_HOME";
    const fs::path userOut = base / "user" / "quillmap" / "out";
#endif
    const char* const was = std::getenv(variable);
    const std::string before = was ? was : "";
    const auto set = [&](const std::string& value) {
#ifdef _WIN32
        _putenv_s(variable, value.c_str());
#else
        value.empty() ? unsetenv(variable) : setenv(variable, value.c_str(), 1);
#endif
    };
    set((base / "user").string());
    writeLinesCrLf(appFolder / "uninstall.exe", {"MZ"});
    EXPECT_EQ(run({writeProject(true)}), 0) << err.str();
    EXPECT_TRUE(fs::exists(userOut / "Quillnav.js"));
    EXPECT_TRUE(fs::exists(userOut / "ftv2doc.gif"));
    EXPECT_FALSE(fs::exists(appFolder / "out" / "Quillnav.js"));
    EXPECT_EQ(out.str().find("cannot be written"), std::string::npos) << out.str();
    set(before);
}

TEST_F(BuildCommandTest, ForeignOutFolderGetsTheShippedFilesToo)
{
    const fs::path target = base / "site" / "menu";
    fs::create_directories(target);
    writeLinesCrLf(target / "index.html", {"the user's own page"});
    EXPECT_EQ(run({writeProject(true), "--out", target.string()}), 0) << err.str();
    for (const char* name : {"Quillnav.js", "Quillnavstyle.css", "index.html", "ftv2doc.gif"})
        EXPECT_TRUE(fs::exists(target / name)) << name;
    EXPECT_FALSE(fs::exists(base / "app" / "out" / "Quillnav.js"));
    EXPECT_EQ(readWholeFile(target / "index.html"), "the user's own page\r\n");
    EXPECT_NE(out.str().find("Kept, not replaced by the shipped ones: index.html\n"), std::string::npos) << out.str();

#ifndef _WIN32  // links need rights of their own on Windows, and wine has none
    // A planted link does not carry the menu out of the folder: it is replaced, not followed.
    writeLinesCrLf(base / "victim", {"precious"});
    fs::remove(target / "Quillnav.js");
    fs::create_symlink("../../victim", target / "Quillnav.js");
    EXPECT_EQ(run({writeProject(true), "--out", target.string()}), 0) << err.str();
    EXPECT_EQ(readWholeFile(base / "victim"), "precious\r\n");
    EXPECT_FALSE(fs::is_symlink(target / "Quillnav.js"));
#endif

    // A folder inside the program's out folder is not copied into itself.
    EXPECT_EQ(run({writeProject(true), "--out", (appFolder / "out" / "menu").string()}), 0) << err.str();
    EXPECT_FALSE(fs::exists(appFolder / "out" / "menu" / "menu"));
}

// The project can come from standard input ("-"); after "--" every argument is a file name.
TEST_F(BuildCommandTest, ProjectFromStandardInputOrAfterTheEndOfOptions)
{
    const std::string project = readWholeFile(writeProject(true));
    const struct { std::vector<std::string> arguments; std::string input; int status; } cases[] = {
        {{"--out", (base / "piped").string(), "-"}, project, 0},
        {{"-"}, "not a project", 1},
        {{"--", "--help"}, "", 1},  // a file named --help, which does not exist
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        EXPECT_EQ(runBuildCommand(c.arguments, appFolder, in, out, err), c.status) << c.arguments.back();
    }
    EXPECT_TRUE(fs::exists(base / "piped" / "Quillnav.js"));
}

TEST_F(BuildCommandTest, RefusalsAndErrorsGoToStandardErrorWithFailureStatus)
{
    EXPECT_EQ(run({writeProject(false)}), 1);
    EXPECT_EQ(err.str(), "No items to build!\n");

    writeLinesCrLf((base / "other.qmp").string(), {"Some other file"});
    EXPECT_EQ(run({(base / "other.qmp").string()}), 1);
    EXPECT_EQ(err.str(), "This isn't Quillmap Project File\n");

    // A caption quoted from an 8-bit project reaches the terminal as UTF-8.
    writeLinesCrLf((base / "cafe.qmp").string(), {"Quillmap Project File", "2000", "Top", "\t\t\tCaf\xE9",
                                                    "/---- * QMAP IMGs * ----/", "/---- * QMAP URLs * ----/",
                                                    "/---- * QMAP Trgts * ----/", "/---- * QMAP OpenFolders * ----/",
                                                    "/---- * QMAP Opt * ----/", "/---- * QMAP Cust IMG * ----/",
                                                    "/---- *END IMG* ----/"});
    EXPECT_EQ(run({(base / "cafe.qmp").string()}), 1);
    EXPECT_EQ(err.str(), "Invalid level (3) for item \"Caf\xC3\xA9\"\n");

    EXPECT_EQ(run({(base / "missing.qmp").string()}), 1);
    EXPECT_EQ(err.str(), "Cannot open file " + (base / "missing.qmp").string() + ": no such file.\n");

    fs::remove_all(base / "app" / "out");
    EXPECT_EQ(run({writeProject(true)}), 1);
    EXPECT_EQ(err.str().rfind("Cannot create file ", 0), 0u) << err.str();
}

TEST_F(BuildCommandTest, UsageHelpAndVersion)
{
    EXPECT_EQ(run({}), 2);
    EXPECT_NE(err.str().find("Usage: quillmap-build"), std::string::npos);
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("--out DIR"), std::string::npos);
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out.str(), "quillmap-build 2.0\n");
    EXPECT_EQ(run({"a.qmp", "--out"}), 2);
    EXPECT_EQ(run({"--bogus"}), 2);
    EXPECT_EQ(run({"a.qmp", "b.qmp"}), 2);
}

// Names outside the 8-bit code page reach the file system intact: the project file, the output
// folder and the program folder, and messages name them in full.
TEST_F(BuildCommandTest, UnicodeNamesOfProjectOutputAndProgramFolder)
{
    const fs::path project = base / fs::path(u8"日本.qmp");
    fs::rename(writeProject(true), project);
    const fs::path target = base / fs::path(u8"出力");
    EXPECT_EQ(run({pathText(project), "--out", pathText(target)}), 0) << err.str();
    EXPECT_NE(out.str().find(pathText(target / "Quillnav.js")), std::string::npos) << out.str();
    EXPECT_TRUE(fs::exists(target / "index.html"));
    const std::string script = readWholeFile(target / "Quillnav.js");
    EXPECT_NE(script.find("\"Home\", \"home.html\""), std::string::npos);

    const fs::path program = base / fs::path(u8"Ünïcødé");
    fs::rename(appFolder, program);
    appFolder = program;
    EXPECT_EQ(run({pathText(project)}), 0) << err.str();
    EXPECT_EQ(readWholeFile(program / "out" / "Quillnav.js"), script);

    const fs::path missing = base / fs::path(u8"出力") / fs::path(u8"無い.qmp");
    EXPECT_EQ(run({pathText(missing)}), 1);
    EXPECT_EQ(err.str(), "Cannot open file " + pathText(missing) + ": no such file.\n");
}

TEST_F(BuildCommandTest, PagesWritesTheMarkedPagesAndFailsForAPageItCannotWrite)
{
    EXPECT_EQ(run({"--pages", writeProject(true)}), 2);
    EXPECT_NE(err.str().find("no site"), std::string::npos);
    EXPECT_EQ(run({"--dry-run", writeProject(true)}), 2);

    const fs::path www = base / "www";
    fs::create_directories(www);
    writeLinesCrLf(www / "index.html", {"<!-- quillmap -->"});
    writeLinesCrLf(www / "locked.html", {"<!-- quillmap -->"});
    fs::permissions(www / "locked.html", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string project = writeProject(true, ProjectSite{"www", "menu", false, ""});

    EXPECT_EQ(run({"--pages", "--dry-run", project}), 0) << err.str();
    EXPECT_NE(out.str().find("Would write index.html\nWould write locked.html\n"), std::string::npos) << out.str();
    EXPECT_FALSE(fs::exists(www / "menu"));
    EXPECT_EQ(readWholeFile(www / "index.html"), "<!-- quillmap -->\r\n");

    EXPECT_EQ(run({"--pages", project}), 1);
    EXPECT_NE(out.str().find("Written index.html\n"), std::string::npos) << out.str();
    EXPECT_NE(err.str().find("Cannot write locked.html: "), std::string::npos) << err.str();
    EXPECT_NE(readWholeFile(www / "index.html").find("href=\"menu/Quillnavstatic.css\""), std::string::npos);

    fs::permissions(www / "locked.html", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(run({"--pages", project}), 0) << err.str();
    EXPECT_EQ(out.str().find("Written index.html"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Written locked.html\n"), std::string::npos) << out.str();
}
