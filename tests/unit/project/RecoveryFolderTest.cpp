// Who may own and write the folders that keep the user's work, and the copies in them. The
// program runs as user 65534 in a child process; files of "another user" belong to root.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>

#include "generator/OutFolder.h"
#include "project/RecoveryCopy.h"
#include "text/Error.h"
#include "text/TextFile.h"

namespace quillmap::test {
namespace {

namespace fs = std::filesystem;

constexpr uid_t User = 65534;

// What look answers when run as User.
std::string asUser(const std::function<std::string()>& look)
{
    int ends[2];
    if (::pipe(ends) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        std::string seen;
        ::umask(002);  // a fresh folder must not take the group's right to write from it
        if (::setgid(User) != 0 || ::setuid(User) != 0) seen = "cannot become the user";
        else try {
            seen = look();
        } catch (const std::exception& error) {
            seen = std::string("threw ") + error.what();
        }
        [[maybe_unused]] const ssize_t written = ::write(ends[1], seen.data(), seen.size());
        ::_exit(0);
    }
    ::close(ends[1]);
    std::string seen;
    char buffer[512];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) seen.append(buffer, static_cast<std::size_t>(n));
    ::close(ends[0]);
    ::waitpid(child, nullptr, 0);
    return seen;
}

std::string modeOf(const fs::path& path)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) return "missing";
    char text[8];
    std::snprintf(text, sizeof text, "%o", status.st_mode & 07777);
    return text;
}

// The copies offered and how they read, whether a window can keep its copy there, and the
// folder's mode afterwards.
std::string recoveryAsSeen(const fs::path& folder)
{
    std::string seen;
    try {
        for (const fs::path& copy : abandonedRecoveryCopies(folder)) {
            seen += copy.filename().string();
            try {
                readRecoveryCopy(copy);
                seen += " read; ";
            } catch (const UnreadableRecoveryCopy&) {
                seen += " unreadable; ";
            } catch (const Error&) {
                seen += " damaged; ";
            }
        }
    } catch (const Error&) {
        seen += "none offered; ";
    }
    try {
        RecoveryCopy copy(folder);
        seen += "kept ";
    } catch (const Error&) {
        seen += "refused ";
    }
    return seen + modeOf(folder);
}

// Whether a build without a named folder writes into the per-user folder out, and else why not.
std::string outFolderAsSeen(const fs::path& shipped, const fs::path& out)
{
    try {
        return resolveOutFolder(shipped, out) == out ? "used " + modeOf(out) : "not used";
    } catch (const Error& error) {
        const std::string text = error.what();
        return "refused:" + text.substr(text.rfind(':') + 1);
    }
}

TEST(UsersOwnFolders, RecoveryAndOutFoldersAndCopiesByOwnerAndMode)
{
    if (::geteuid() != 0) GTEST_SKIP() << "giving files to another user takes root";
    const fs::path base = fs::temp_directory_path() / ("quillmap-own-" + std::to_string(std::random_device{}()));
    const RecoveredProject project{"/home/u/site.qmp", 1, "Quillmap Project File\r\n", std::nullopt};
    const auto give = [](const fs::path& path, uid_t owner, fs::perms mode) {
        ASSERT_EQ(::lchown(path.c_str(), owner, owner), 0) << path;
        if (!fs::is_symlink(path)) fs::permissions(path, mode);
    };
    const auto copyIn = [&](const fs::path& folder, uid_t owner, fs::perms mode) {
        saveTextFile(folder / "a.recovery", recoveryCopyText(project));
        give(folder / "a.recovery", owner, mode);
    };
    const fs::perms own = fs::perms::owner_read | fs::perms::owner_write;
    using P = fs::perms;
    struct Row {
        const char* name;
        std::function<void(const fs::path& folder)> plant;  // folder: the user's, 0700, empty, in another of theirs
        std::string seen;
    };
    const std::vector<Row> rows = {
        {"the user's folder and copy", [&](const fs::path& f) { copyIn(f, User, own); }, "a.recovery read; kept 700"},
        {"no folder yet", [](const fs::path& f) { fs::remove(f); }, "kept 700"},
        {"a damaged copy", [&](const fs::path& f) { saveTextFile(f / "a.recovery", "cut"); give(f / "a.recovery", User, own); },
         "a.recovery damaged; kept 700"},
        {"a copy the user cannot read", [&](const fs::path& f) { copyIn(f, User, P::none); }, "a.recovery unreadable; kept 700"},
        {"a folder of another user",
         [&](const fs::path& f) { copyIn(f, User, own); give(f, 0, P::owner_all | P::others_all); },
         "none offered; refused 707"},
        {"a folder others can write to",
         [&](const fs::path& f) { copyIn(f, User, own); give(f, User, P::all); }, "none offered; refused 777"},
        {"a folder the group can write to",
         [&](const fs::path& f) { copyIn(f, User, own); give(f, User, P::owner_all | P::group_all); },
         "none offered; refused 770"},
        {"a folder the user made read-only",
         [&](const fs::path& f) { copyIn(f, User, own); give(f, User, P::owner_read | P::owner_exec); },
         "none offered; refused 500"},
        {"a copy of another user", [&](const fs::path& f) { copyIn(f, 0, own | P::others_read); }, "kept 700"},
        {"a copy others can write to", [&](const fs::path& f) { copyIn(f, User, P::owner_all | P::others_write); },
         "kept 700"},
        {"a link to another user's copy",
         [&](const fs::path& f) {
             copyIn(f.parent_path(), 0, own | P::others_read);
             fs::create_symlink(f.parent_path() / "a.recovery", f / "a.recovery");
             give(f / "a.recovery", User, own);
         },
         "kept 700"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(base);
        const fs::path folder = base / "data" / "recovery";
        fs::create_directories(folder);
        fs::permissions(base, P::owner_all | P::group_read | P::group_exec | P::others_read | P::others_exec);
        give(base / "data", User, P::owner_all);
        give(folder, User, P::owner_all);
        row.plant(folder);
        EXPECT_EQ(asUser([&] { return recoveryAsSeen(folder); }), row.seen);
    }

    // The per-user out folder, used when the shipped one (root's) cannot be written.
    struct OutRow {
        const char* name;
        std::function<void(const fs::path& out)> plant;
        std::string seen;
    };
    const std::vector<OutRow> outRows = {
        {"made anew", [](const fs::path&) {}, "used 755"},
        {"the user's", [&](const fs::path& o) { fs::create_directory(o); give(o, User, P::owner_all); }, "used 700"},
        {"another user's", [&](const fs::path& o) { fs::create_directory(o); give(o, 0, P::all & ~P::others_write); },
         "refused: it belongs to another user"},
        {"writable by others", [&](const fs::path& o) { fs::create_directory(o); give(o, User, P::all); },
         "refused: other users can write to it"},
    };
    for (const OutRow& row : outRows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(base);
        fs::create_directories(base / "shipped");
        saveTextFile(base / "shipped" / "index.html", "page");
        fs::create_directory(base / "data");
        give(base / "data", User, P::owner_all);
        fs::permissions(base, P::owner_all | P::group_read | P::group_exec | P::others_read | P::others_exec);
        row.plant(base / "data" / "out");
        EXPECT_EQ(asUser([&] { return outFolderAsSeen(base / "shipped", base / "data" / "out"); }), row.seen);
    }
    fs::remove_all(base);
}

}  // namespace
}  // namespace quillmap::test
#endif
