// Saving a whole file so that no failure, link or planted file can damage or leak a project.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "app/Error.h"
#include "app/TextFile.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillmap {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void cannotCreate(const fs::path& path) { throw Error("Cannot create file " + pathText(path)); }

[[noreturn]] void writeFailed(const fs::path& path, int error)
{
    throw Error("Stream write error. " + pathText(path) + ": " + std::strerror(error));
}

// A short name nobody can guess, so that nothing can be planted there in advance; short, so that
// a target name as long as the system allows still has a temporary file beside it.
fs::path temporaryBeside(const fs::path& target)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::string name = ".quillmap-";
    for (int i = 0; i < 12; ++i) name += letters[random() % (sizeof letters - 1)];
    name += ".tmp";
    return target.parent_path() / name;
}

}  // namespace

#ifndef _WIN32

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a late write error (a full disk on a network folder) is seen.
    int close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Where the text must go: a symlink (also one that points nowhere yet) is followed to its target.
fs::path followLinks(const fs::path& path)
{
    fs::path target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) return target;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) cannotCreate(path);
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    cannotCreate(path);
}

void writeAll(const Descriptor& file, std::string_view text, const fs::path& shown)
{
    while (!text.empty()) {
        const ssize_t written = ::write(file.get(), text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) writeFailed(shown, errno);
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

// Puts the text on the disk before the file counts as saved.
void finish(Descriptor& file, const fs::path& shown)
{
    if (::fsync(file.get()) != 0 && errno != EINVAL) writeFailed(shown, errno);
    if (file.close() != 0) writeFailed(shown, errno);
}

// The user has taken away every write permission, or the system says no. (Checking the mode as
// well matters for root, whom access() never refuses.)
bool mayNotWrite(const struct stat& status, const fs::path& target)
{
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0;
}

mode_t modeForNewFile()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Hard links would be split by a rename: every name must see the new text.
void writeInPlace(const fs::path& target, std::string_view text, const fs::path& shown)
{
    Descriptor file(::open(target.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) cannotCreate(shown);
    writeAll(file, text, shown);
    finish(file, shown);
}

void replaceThroughTemporary(const fs::path& target, const struct stat* old, std::string_view text,
                             const fs::path& shown)
{
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryBeside(target);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) cannotCreate(shown);
    Descriptor file(fd);
    try {
        writeAll(file, text, shown);
        if (old) {
            // Owner and group only where the process may; the group alone is often allowed.
            if (::fchown(fd, old->st_uid, old->st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
        }
        if (::fchmod(fd, old ? old->st_mode & 07777 : modeForNewFile()) != 0) writeFailed(shown, errno);
        finish(file, shown);
        if (::rename(temporary.c_str(), target.c_str()) != 0) cannotCreate(shown);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
}

}  // namespace

void saveTextFile(const fs::path& path, std::string_view text)
{
    const fs::path target = followLinks(path);
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        replaceThroughTemporary(target, nullptr, text, path);
        return;
    }
    if (!S_ISREG(old.st_mode) || mayNotWrite(old, target)) cannotCreate(path);
    if (old.st_nlink > 1)
        writeInPlace(target, text, path);
    else
        replaceThroughTemporary(target, &old, text, path);
}

#else

// Windows keeps no POSIX modes or links to honour here; the read-only attribute is.
void saveTextFile(const fs::path& path, std::string_view text)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status) || (status.permissions() & fs::perms::owner_write) == fs::perms::none)
            cannotCreate(path);
    }
    const fs::path temporary = temporaryBeside(path);
    if (fs::exists(temporary, ec)) cannotCreate(path);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) cannotCreate(path);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            const int error = errno;
            fs::remove(temporary, ec);
            writeFailed(path, error);
        }
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        cannotCreate(path);
    }
}

#endif

}  // namespace quillmap
