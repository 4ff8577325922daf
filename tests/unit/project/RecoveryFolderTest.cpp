// Who may own and write the folders that keep the user's work, and the copies in them. The
// program runs as user 65534 in a child process; "another user" is root.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "generator/OutFolder.h"
#include "project/RecoveryCopy.h"
#include "text/TextFile.h"

namespace quillmap::test {
namespace {

namespace fs = std::filesystem;
using P = fs::perms;
constexpr uid_t User = 65534;

// What look answers when run as User, with a umask that lets the group write.
std::string asUser(const std::function<std::string()>& look)
{
    int ends[2];
    if (::pipe(ends) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::umask(002);
        std::string seen = "cannot become the user";
        if (::setgid(User) == 0 && ::setuid(User) == 0) try {
            seen = look();
        } catch (const std::exception& error) {
            seen = error.what();
            seen = "refused:" + seen.substr(seen.rfind(':') + 1);
        }
        ::_exit(::write(ends[1], seen.data(), seen.size()) < 0);
    }
    ::close(ends[1]);
    char buffer[512];
    const ssize_t n = ::read(ends[0], buffer, sizeof buffer);
    ::close(ends[0]);
    ::waitpid(child, nullptr, 0);
    return std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
}

std::string modeOf(const fs::path& path)
{
    const auto mode = static_cast<unsigned>(fs::status(path).permissions() & P::all);
    return std::to_string(mode >> 6) + std::to_string(mode >> 3 & 7) + std::to_string(mode & 7);
}

// The copies offered and how they read, whether a window keeps its copy there, the folder's mode.
std::string recoveryAsSeen(const fs::path& folder)
{
    std::string seen = "none offered; ";
    try {
        std::vector<fs::path> copies = abandonedRecoveryCopies(folder);
        seen.clear();
        for (const fs::path& copy : copies) try {
            seen += (readRecoveryCopy(copy), "read; ");
        } catch (const UnreadableRecoveryCopy&) {
            seen += "unreadable; ";
        } catch (const Error&) {
            seen += "damaged; ";
        }
    } catch (const Error&) {}
    try {
        seen += (RecoveryCopy(folder), "kept ");
    } catch (const Error&) {
        seen += "refused ";
    }
    return seen + modeOf(folder);
}

TEST(UsersOwnFolders, RecoveryAndOutFoldersAndCopiesByOwnerAndMode)
{
    if (::geteuid() != 0) GTEST_SKIP() << "giving files to another user takes root";
    const fs::path base = fs::temp_directory_path() / ("quillmap-own-" + std::to_string(::getpid()));
    const fs::path data = base / "data", folder = data / "recovery", out = data / "out";
    const auto give = [](const fs::path& path, uid_t owner, P mode) {
        fs::create_directories(path.parent_path());
        if (!fs::exists(path)) saveTextFile(path, recoveryCopyText({"/a.qmp", 1, "Quillmap Project File\r\n", {}}));
        ASSERT_EQ(::lchown(path.c_str(), owner, owner), 0) << path;
        if (!fs::is_symlink(path)) fs::permissions(path, mode);
    };
    const P own = P::owner_read | P::owner_write, all = P::all, user = P::owner_all;
    const auto copy = [&](uid_t owner, P mode) { return [=] { give(folder / "a.recovery", owner, mode); }; };
    const auto recoveryFolder = [&](uid_t owner, P mode) { return [=] { copy(User, own)(), give(folder, owner, mode); }; };
    const auto outFolder = [&](uid_t owner, P mode) { return [=] { fs::create_directories(out), give(out, owner, mode); }; };
    const auto recovery = [&] { return recoveryAsSeen(folder); };
    const auto outUsed = [&] { return resolveOutFolder(base / "shipped", out) == out ? "used " + modeOf(out) : "not used"; };
    const struct { const char* name; std::function<void()> plant; std::function<std::string()> look; std::string seen; } rows[] = {
        {"the user's folder and copy", copy(User, own), recovery, "read; kept 700"},
        {"no folder yet", [&] { fs::remove(folder); }, recovery, "kept 700"},
        {"a damaged copy", [&] { saveTextFile(folder / "a.recovery", "cut"), give(folder / "a.recovery", User, own); },
         recovery, "damaged; kept 700"},
        {"a copy the user cannot read", copy(User, P::none), recovery, "unreadable; kept 700"},
        {"a folder of another user", recoveryFolder(0, user | P::others_all), recovery, "none offered; refused 707"},
        {"a folder others can write to", recoveryFolder(User, all), recovery, "none offered; refused 777"},
        {"a folder the group can write to", recoveryFolder(User, user | P::group_all), recovery,
         "none offered; refused 770"},
        {"a folder the user made read-only", recoveryFolder(User, P::owner_read | P::owner_exec), recovery,
         "none offered; refused 500"},
        {"a copy of another user", copy(0, own | P::others_read), recovery, "kept 700"},
        {"a copy others can write to", copy(User, user | P::others_write), recovery, "kept 700"},
        {"a link to another user's copy",
         [&] { give(data / "a.recovery", 0, own), fs::create_symlink(data / "a.recovery", folder / "a.recovery"); },
         recovery, "kept 700"},
        // The per-user out folder is used when the shipped one (root's) cannot be written.
        {"an out folder made anew", [] {}, outUsed, "used 755"},
        {"another user's out folder", outFolder(0, user), outUsed, "refused: it belongs to another user"},
        {"an out folder others can write to", outFolder(User, all), outUsed, "refused: other users can write to it"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(base);
        give(base / "shipped" / "index.html", 0, own | P::others_read);
        fs::create_directories(folder);
        give(data, User, user);
        give(folder, User, user);
        fs::permissions(base, user | P::others_read | P::others_exec);
        row.plant();
        EXPECT_EQ(asUser(row.look), row.seen);
    }
    fs::remove_all(base);
}

}  // namespace
}  // namespace quillmap::test
#endif
