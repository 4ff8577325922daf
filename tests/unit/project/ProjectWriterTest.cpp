#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "text/Error.h"
#include "project/ProjectWriter.h"
#include "ProjectTestSupport.h"

using namespace quillmap;
using namespace quillmap::test;
namespace fs = std::filesystem;

namespace {

class TempFolder {
public:
    TempFolder()
    {
        path_ = fs::temp_directory_path() /
                ("quillmap_writer_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

}  // namespace

TEST(ProjectWriter, WritesTheExampleProjectByteForByte)
{
    ItemTree tree;
    buildExampleTree(tree);
    const Lines lines = projectLines(tree, ProjectOptions{});
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines[3], "\tDocs");
    EXPECT_EQ(lines[4], "\t\tReadme");

    TempFolder folder;
    const std::string path = folder.file("example.qmp");
    saveProjectFile(path, tree, ProjectOptions{});
    EXPECT_EQ(readWholeFile(path), exampleFileText());
}

TEST(ProjectWriter, WritesOptionsAtTheirPositions)
{
    ItemTree tree;
    buildExampleTree(tree);
    ProjectOptions options;
    options.targetFrame = "content";
    options.useTextLinks = false;
    options.autoClose = true;
    options.look.backColor = {0x12, 0xAB, 0x0F};
    options.look.activatedLinkColor = {1, 2, 3};
    options.look.linkStyle = 1;
    options.look.visitedLinkStyle = 3;
    options.look.activatedLinkStyle = -1;
    const Lines lines = projectLines(tree, options);
    const std::size_t g = 21;
    ASSERT_EQ(lines[g], "/---- * QMAP Opt * ----/");
    EXPECT_EQ(lines[g + 1], "content");
    EXPECT_EQ(lines[g + 2], "NO_TextLinks");
    EXPECT_EQ(lines[g + 3], "#12AB0F");
    EXPECT_EQ(lines[g + 7], "#010203");
    EXPECT_EQ(lines[g + 8], "1");
    EXPECT_EQ(lines[g + 9], "3");
    EXPECT_EQ(lines[g + 10], "-1");
    EXPECT_EQ(lines[g + 11], "AUTO_CLOSE_YES");
}

TEST(ProjectWriter, EveryBlockHasOneLinePerItemAndFoldersAreZero)
{
    ItemTree tree;
    Node* root = addItem(tree, nullptr, "r", OpenFolderImage, TMyRec::folderDefaults());
    addItem(tree, root, "d", DocumentImage, TMyRec::documentDefaults());
    addItem(tree, root, "f", ClosedFolderImage, TMyRec::folderDefaults());
    addItem(tree, nullptr, "second top", OpenFolderImage, TMyRec::folderDefaults());
    const Lines lines = projectLines(tree, ProjectOptions{});
    const std::size_t n = 4;
    // header, version, outline, 4 markers with blocks, options (12), custom marker + block, end
    EXPECT_EQ(lines.size(), 2 + n + 4 * (n + 1) + 12 + (n + 1) + 1);
    EXPECT_EQ(lines[5], "second top");
    EXPECT_EQ((Lines{lines[7], lines[8], lines[9], lines[10]}), (Lines{"0", "2", "0", "0"}));
    EXPECT_EQ(lines.back(), "/---- *END IMG* ----/");
}

TEST(ProjectWriter, LineBreaksInsideATextNeverSplitTheFile)
{
    ItemTree tree;
    addItem(tree, nullptr, "two\r\nlines", ClosedFolderImage, {"a\nb", "0", "0", "c\rd"});
    ProjectOptions options;
    options.targetFrame = "main\nframe";
    const Lines lines = projectLines(tree, options);
    EXPECT_EQ(lines[2], "two  lines");
    EXPECT_EQ(lines[6], "a b");
    EXPECT_EQ(lines[12], "main frame");
    EXPECT_EQ(lines[24], "c d");
    EXPECT_EQ(splitLines(joinLinesCrLf(lines)).size(), lines.size());
}

TEST(ProjectWriter, ItemWithoutRecordWritesEmptyFields)
{
    ItemTree tree;
    tree.append(nullptr, "bare", ClosedFolderImage);
    const Lines lines = projectLines(tree, ProjectOptions{});
    EXPECT_EQ(lines[6], "");  // URL
    EXPECT_EQ(lines[8], "");  // Target
}

TEST(ProjectWriter, SaveIntoAMissingFolderNamesTheFile)
{
    TempFolder folder;
    ItemTree tree;
    buildExampleTree(tree);
    const std::string path = folder.file("no/such/folder/p.qmp");
    try {
        saveProjectFile(path, tree, ProjectOptions{});
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + path + ": no such folder");
    }
}
