// Project files on disk as users and attackers meet them: saving keeps modes, owners, links and
// read-only files; no planted file is followed; odd and huge files are refused at once; a failed
// write says which file and why and leaves nothing damaged.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "text/Error.h"
#include "ProjectTestSupport.h"
#include "tests/unit/support/FullDisk.h"

using namespace quillmap;
using namespace quillmap::test;
namespace fs = std::filesystem;

namespace {

class ProjectFileSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("quillmap_safety_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        buildExampleTree(tree);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path file(const std::string& name) const { return folder / name; }

    static void put(const fs::path& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string bytes(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static struct stat statOf(const fs::path& path)
    {
        struct stat s {};
        EXPECT_EQ(::lstat(path.c_str(), &s), 0) << path;
        return s;
    }

    void save(const fs::path& path) { saveProjectFile(path, tree, ProjectOptions{}); }

    std::string errorOfSave(const fs::path& path)
    {
        try {
            save(path);
        } catch (const Error& e) {
            return e.what();
        }
        return "no error";
    }

    // The names in the folder: a save must leave no temporary file behind.
    std::set<std::string> names() const
    {
        std::set<std::string> result;
        for (const auto& entry : fs::directory_iterator(folder)) result.insert(entry.path().filename().string());
        return result;
    }

    fs::path folder;
    ItemTree tree;
};

TEST_F(ProjectFileSafety, SavedFileKeepsModeOwnerAndGroup)
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    for (const mode_t mode : {0600, 0640, 0664, 0755}) {
        SCOPED_TRACE(std::to_string(mode));
        const fs::path path = file("p.qmp");
        put(path, "old");
        ::chmod(path.c_str(), mode);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
        }
        const struct stat before = statOf(path);
        save(path);
        const struct stat after = statOf(path);
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(bytes(path), exampleFileText());
        EXPECT_EQ(names(), std::set<std::string>{"p.qmp"});
        fs::remove(path);
    }
    // A new file gets the mode any new file of the user gets, not the temporary file's.
    save(file("new.qmp"));
    EXPECT_EQ(statOf(file("new.qmp")).st_mode & 07777, 0666 & ~mask);
}

TEST_F(ProjectFileSafety, SymlinkIsFollowedAndStays)
{
    fs::create_directory(file("real"));
    struct Case {
        const char* name;
        const char* linkTo;  // relative to the folder
        bool targetExists;
    } cases[] = {{"existing target", "real/p.qmp", true}, {"target not made yet", "real/q.qmp", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.targetExists) put(file(c.linkTo), "old");
        const fs::path link = file(std::string("link-") + (c.targetExists ? "a" : "b") + ".qmp");
        fs::create_symlink(c.linkTo, link);
        save(link);
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
        EXPECT_EQ(fs::read_symlink(link), c.linkTo);
        EXPECT_EQ(bytes(file(c.linkTo)), exampleFileText());
    }
    EXPECT_EQ(names(), (std::set<std::string>{"link-a.qmp", "link-b.qmp", "real"}));
}

TEST_F(ProjectFileSafety, PlantedTemporaryNameIsNeverFollowed)
{
    const fs::path victim = file("victim.txt");
    put(victim, "precious");
    // The names a save into atk.qmp might once have used for its temporary file.
    for (const char* planted : {"atk.qmp.saving", "atk.qmp.tmp", "atk.qmp~", ".atk.qmp.swp"})
        fs::create_symlink(victim, file(planted));
    put(file("atk.qmp"), "old");
    save(file("atk.qmp"));
    EXPECT_EQ(bytes(victim), "precious");
    EXPECT_EQ(bytes(file("atk.qmp")), exampleFileText());
    EXPECT_EQ(names().size(), 6u);
}

TEST_F(ProjectFileSafety, ReadOnlyFileIsRefusedAndUntouched)
{
    const fs::path path = file("locked.qmp");
    put(path, "read only");
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(errorOfSave(path), "Cannot create file " + path.string() + ": the file is read-only");
    EXPECT_EQ(bytes(path), "read only");
    EXPECT_EQ(statOf(path).st_mode & 07777, 0444u);
    EXPECT_EQ(names(), std::set<std::string>{"locked.qmp"});
}

TEST_F(ProjectFileSafety, HardLinkedFileIsWrittenInPlace)
{
    const fs::path path = file("a.qmp");
    put(path, "old");
    fs::create_hard_link(path, file("b.qmp"));
    const ino_t inode = statOf(path).st_ino;
    save(path);
    EXPECT_EQ(statOf(path).st_ino, inode);
    EXPECT_EQ(statOf(file("b.qmp")).st_ino, inode);
    EXPECT_EQ(bytes(file("b.qmp")), exampleFileText());
    EXPECT_EQ(names(), (std::set<std::string>{"a.qmp", "b.qmp"}));
}

TEST_F(ProjectFileSafety, NameAsLongAsTheSystemAllowsSaves)
{
    const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    ASSERT_GT(longest, 10);
    const fs::path path = file(std::string(static_cast<std::size_t>(longest) - 4, 'n') + ".qmp");
    put(path, "old");
    save(path);
    EXPECT_EQ(bytes(path), exampleFileText());
    EXPECT_EQ(names().size(), 1u);
}

// The disk is full for this process: files may not grow past a few bytes. A file with a second
// hard link, which is written in place, must come through as whole as any other.
TEST_F(ProjectFileSafety, FailedWriteNamesFileAndReasonAndChangesNothing)
{
    for (const bool hardLinked : {false, true}) {
        SCOPED_TRACE(hardLinked ? "hard-linked" : "single");
        fs::remove_all(folder);
        fs::create_directories(folder);
        const fs::path path = file("full.qmp");
        put(path, "previous contents");
        std::set<std::string> expected{"full.qmp"};
        if (hardLinked) {
            fs::create_hard_link(path, file("other.qmp"));
            expected.insert("other.qmp");
        }
        const std::string error = [&] {
            const FullDisk full;
            return errorOfSave(path);
        }();

        EXPECT_EQ(error, "Stream write error. " + path.string() + ": " + std::strerror(EFBIG));
        for (const std::string& name : expected) EXPECT_EQ(bytes(file(name)), "previous contents") << name;
        EXPECT_EQ(names(), expected);

        // With room again the same save goes through.
        save(path);
        for (const std::string& name : expected) EXPECT_EQ(bytes(file(name)), exampleFileText()) << name;
        EXPECT_EQ(names(), expected);
    }
}

// Reads path in a child process, so that a reader that blocks or eats memory cannot take the
// tests with it: the error text, "loaded", "refused" or "still reading".
std::string readInChild(const fs::path& path)
{
    int channel[2];
    if (::pipe(channel) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
#ifndef __SANITIZE_ADDRESS__  // the address sanitizer reserves far more address space
        const rlim_t gigabyte = rlim_t{1} << 30;
        struct rlimit memory = {gigabyte, gigabyte};
        ::setrlimit(RLIMIT_AS, &memory);
#endif
        std::string result;
        try {
            ProjectData data;
            result = readProjectData(path, data) == ReadOutcome::Loaded ? "loaded" : "refused";
        } catch (const std::exception& e) {
            result = e.what();
        }
        (void)!::write(channel[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string result = "still reading";
    for (int waited = 0; waited < 100; ++waited) {
        if (::waitpid(child, nullptr, WNOHANG) == child) {
            char buffer[4096];
            const ssize_t got = ::read(channel[0], buffer, sizeof buffer);
            result = got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : "child failed";
            ::close(channel[0]);
            return result;
        }
        ::usleep(50 * 1000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(channel[0]);
    return result;
}

TEST_F(ProjectFileSafety, OnlyRegularFilesOfSaneSizeAreRead)
{
    ASSERT_EQ(::mkfifo(file("fifo.qmp").c_str(), 0600), 0);
    fs::create_directory(file("folder.qmp"));
    {
        std::ofstream huge(file("huge.qmp"), std::ios::binary);
        huge << exampleFileText();
    }
    fs::resize_file(file("huge.qmp"), MaxTextFileSize + 1);  // sparse: no disk space taken
    struct Case {
        fs::path path;
        std::string error;
    } cases[] = {
        {file("fifo.qmp"), "Cannot open file " + file("fifo.qmp").string() + ": it is no regular file"},
        {file("folder.qmp"), "Cannot open file " + file("folder.qmp").string() + ": it is a folder"},
        {"/dev/zero", "Cannot open file /dev/zero: it is no regular file"},
        {file("huge.qmp"), "Cannot open file " + file("huge.qmp").string() + ": the file is larger than 256 MB"},
        {file("missing.qmp"), "Cannot open file " + file("missing.qmp").string() + ": no such file"},
        {file("nowhere/missing.qmp"), "Cannot open file " + file("nowhere/missing.qmp").string() + ": no such file"},
        {file("huge.qmp/inside.qmp"), "Cannot open file " + file("huge.qmp/inside.qmp").string() + ": no such folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        EXPECT_EQ(readInChild(c.path), c.error);
    }
    put(file("ok.qmp"), exampleFileText());
    EXPECT_EQ(readInChild(file("ok.qmp")), "loaded");
}

// Texts stay the file's bytes: opening and saving gives the same file, and the encoding the
// window decodes them with is taken from the whole file.
TEST_F(ProjectFileSafety, EightBitAndMixedFilesSaveByteIdentically)
{
    const std::string example = exampleFileText();
    const auto withReadme = [&](const std::string& caption, const std::string& frame) {
        std::string text = example;
        text.replace(text.find("Readme"), 6, caption);
        text.replace(text.find("main_frame"), 10, frame);
        return text;
    };
    struct Case {
        const char* name;
        std::string text;
        TextEncoding encoding;
    } cases[] = {
        {"Latin-1", withReadme("Caf\xE9", "fr\xE4me"), TextEncoding::CodePage},
        {"UTF-8", withReadme("Caf\xC3\xA9", "fr\xC3\xA4me"), TextEncoding::Utf8},
        {"mixed", withReadme("Caf\xC3\xA9", "fr\xE4me"), TextEncoding::CodePage},
        {"ASCII", example, TextEncoding::Utf8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put(file("in.qmp"), c.text);
        ProjectData data;
        ASSERT_EQ(readProjectData(file("in.qmp"), data), ReadOutcome::Loaded);
        EXPECT_EQ(data.encoding, c.encoding);
        saveProjectFile(file("out.qmp"), data.tree, data.options);
        EXPECT_EQ(bytes(file("out.qmp")), c.text);
    }
}

}  // namespace
#endif
