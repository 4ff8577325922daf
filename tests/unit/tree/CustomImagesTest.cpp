#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tree/CustomImages.h"

using namespace quillmap;
namespace fs = std::filesystem;

namespace {

class CustomImages : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("quillmap-images-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "out");
    }
    void TearDown() override { fs::remove_all(folder); }

    void add(const std::string& name) { std::ofstream(folder / "out" / name) << "GIF89a"; }
    const fs::path& appFolder() const { return folder; }

    fs::path folder;
};

TEST_F(CustomImages, ListsConsecutiveNumbersFromOne)
{
    add("ftv2doc_1.gif");
    add("ftv2doc_2.gif");
    add("ftv2doc_3.gif");
    add("ftv2doc.gif");
    add("ftv2doc_01.gif");
    EXPECT_EQ(listCustomImages(appFolder()),
              (std::vector<std::string>{"ftv2doc_1.gif", "ftv2doc_2.gif", "ftv2doc_3.gif"}));
}

TEST_F(CustomImages, FirstGapEndsTheList)
{
    add("ftv2doc_1.gif");
    add("ftv2doc_2.gif");
    add("ftv2doc_4.gif");
    EXPECT_EQ(listCustomImages(appFolder()), (std::vector<std::string>{"ftv2doc_1.gif", "ftv2doc_2.gif"}));
    fs::remove(folder / "out" / "ftv2doc_1.gif");
    EXPECT_TRUE(listCustomImages(appFolder()).empty());
}

TEST_F(CustomImages, FoldersAndMissingOutFolderListNothing)
{
    fs::create_directories(folder / "out" / "ftv2doc_1.gif");
    EXPECT_TRUE(listCustomImages(appFolder()).empty());
    fs::remove_all(folder / "out");
    EXPECT_TRUE(listCustomImages(appFolder()).empty());
    EXPECT_TRUE(listCustomImages("").empty());
}

}  // namespace
