#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "project/RecoveryCopy.h"
#include "text/Error.h"
#include "text/TextFile.h"

namespace quillmap::test {
namespace {

namespace fs = std::filesystem;

TEST(RecoveryCopyText, ReadsBackWhatWasWrittenAndRefusesEveryDamage)
{
    const RecoveredProject project{"/home/a/100%\r\nsure.qmp", 1765180800, "Quillmap Project File\r\n2000\r\n",
                                   DiskStampValues{29, -1765180800123456789, 18446744073709551615u}};
    const std::string text = recoveryCopyText(project);
    const RecoveredProject back = parseRecoveryCopy(text);
    EXPECT_EQ(back.projectFile, project.projectFile);
    EXPECT_EQ(back.writtenAt, project.writtenAt);
    EXPECT_EQ(back.projectText, project.projectText);
    EXPECT_EQ(back.baseline, project.baseline);
    // Copies written before the file's baseline was kept still read, without one.
    const RecoveredProject older = parseRecoveryCopy("Quillmap recovery copy 1\r\n/a.qmp\r\n7\r\n1\r\nx");
    EXPECT_EQ(older.projectText, "x");
    EXPECT_FALSE(older.baseline);

    for (const std::string& damaged : {text.substr(0, text.size() - 1), text + "x", text.substr(1),
                                       std::string("Quillmap recovery copy 1\r\n\r\nsoon\r\n0\r\n"),
                                       std::string("Quillmap recovery copy 2\r\n\r\n7\r\n29 5\r\n0\r\n")}) {
        SCOPED_TRACE(damaged);
        EXPECT_THROW(parseRecoveryCopy(damaged), Error);
    }
}

TEST(RecoveryCopyFile, IsPrivateAndOfferedOnlyWhenItsWindowIsGone)
{
    const fs::path folder = fs::temp_directory_path() / ("quillmap-recovery-test-" + std::to_string(std::random_device{}()));
    fs::remove_all(folder);
    {
        RecoveryCopy live(folder);
        live.write({"", 1, "text", std::nullopt});
#ifndef _WIN32
        EXPECT_EQ(fs::status(live.path()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
#endif
        // A copy whose lock file is left without a holder: a window killed on its way.
        fs::copy_file(live.path(), folder / "abandoned.recovery");
        saveTextFile(folder / "abandoned.lock", "");
        EXPECT_EQ(abandonedRecoveryCopies(folder), std::vector<fs::path>{folder / "abandoned.recovery"});
        EXPECT_EQ(readRecoveryCopy(folder / "abandoned.recovery").projectText, "text");
    }
    EXPECT_EQ(abandonedRecoveryCopies(folder).size(), 1u);
    discardRecoveryCopy(folder / "abandoned.recovery");
    EXPECT_TRUE(fs::is_empty(folder));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace quillmap::test
