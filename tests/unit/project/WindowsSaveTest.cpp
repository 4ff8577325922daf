// Saving a project on Windows: the file is replaced whole, keeps its attributes and hard links,
// a read-only file is refused, and a file another program holds open is reported and left as it
// was. Names outside the ANSI code page work.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "text/Error.h"
#include "ProjectTestSupport.h"

using namespace quillmap;
using namespace quillmap::test;
namespace fs = std::filesystem;

namespace {

class WindowsSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / fs::path(u8"quillmap_保存") /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder);
        fs::create_directories(folder);
        buildExampleTree(tree);
    }
    void TearDown() override
    {
        for (const auto& entry : fs::directory_iterator(folder))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(folder);
    }

    fs::path file(const char8_t* name) const { return folder / fs::path(name); }
    static void put(const fs::path& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string bytes(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string errorOfSave(const fs::path& path)
    {
        try {
            saveProjectFile(path, tree, ProjectOptions{});
        } catch (const Error& e) {
            return e.what();
        }
        return "no error";
    }
    // A save must leave no temporary file behind.
    std::set<std::string> names() const
    {
        std::set<std::string> result;
        for (const auto& entry : fs::directory_iterator(folder)) result.insert(pathText(entry.path().filename()));
        return result;
    }

    fs::path folder;
    ItemTree tree;
};

}  // namespace

TEST_F(WindowsSave, NewAndReplacedFilesKeepTheirNamesAndAttributes)
{
    const fs::path fresh = file(u8"日本.qmp");
    EXPECT_EQ(errorOfSave(fresh), "no error");
    EXPECT_EQ(bytes(fresh), exampleFileText());

    const fs::path hidden = file(u8"hidden.qmp");
    put(hidden, "old text");
    ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(errorOfSave(hidden), "no error");
    EXPECT_EQ(bytes(hidden), exampleFileText());
    EXPECT_TRUE(GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(names(), (std::set<std::string>{"日本.qmp", "hidden.qmp"}));
}

TEST_F(WindowsSave, ReadOnlyFileIsRefusedAndUntouched)
{
    const fs::path path = file(u8"locked.qmp");
    put(path, "read only");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(errorOfSave(path), "Cannot create file " + pathText(path) + ": the file is read-only");
    EXPECT_EQ(bytes(path), "read only");
    EXPECT_EQ(names(), std::set<std::string>{"locked.qmp"});
}

TEST_F(WindowsSave, FileOpenInAnotherProgramIsReportedAndUntouched)
{
    const fs::path path = file(u8"出力.qmp");
    put(path, "in use");
    // As an editor holds a document: others may read it, nobody may replace or delete it.
    HANDLE other = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(errorOfSave(path), "Cannot create file " + pathText(path) + ": it is open in another program");
    CloseHandle(other);
    EXPECT_EQ(bytes(path), "in use");
    EXPECT_EQ(names(), std::set<std::string>{"出力.qmp"});

    EXPECT_EQ(errorOfSave(path), "no error");
    EXPECT_EQ(bytes(path), exampleFileText());
}

TEST_F(WindowsSave, HardLinkedFileIsWrittenInPlace)
{
    const fs::path path = file(u8"a.qmp");
    put(path, "old");
    ASSERT_TRUE(CreateHardLinkW(file(u8"b.qmp").c_str(), path.c_str(), nullptr));
    EXPECT_EQ(errorOfSave(path), "no error");
    EXPECT_EQ(bytes(file(u8"b.qmp")), exampleFileText());
    EXPECT_EQ(names(), (std::set<std::string>{"a.qmp", "b.qmp"}));
}

#endif
