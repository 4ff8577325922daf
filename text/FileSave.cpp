// Saving a whole file so that no failure, link or planted file can damage or leak a project.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "text/Error.h"
#include "text/FileError.h"
#include "text/TextFile.h"
#include "text/NewFileMode.h"
#include "text/UnguessableName.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#endif

namespace quillmap {

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
[[noreturn]] void cannotCreate(const fs::path& path, int error)
{
    throwCannotCreate(path, fileErrorReason(error, FileUse::Create));
}
#else
[[noreturn]] void cannotCreate(const fs::path& path, DWORD error)
{
    throwCannotCreate(path, windowsFileErrorReason(error, FileUse::Create));
}
#endif

fs::path temporaryBeside(const fs::path& target)
{
    return target.parent_path() / (".quillmap-" + unguessableName() + ".tmp");
}

}  // namespace

#ifndef _WIN32

namespace {

[[noreturn]] void writeFailed(const fs::path& path, int error)
{
    throw Error("Stream write error. " + pathText(path) + ": " + std::strerror(error));
}

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
        if (ec) cannotCreate(path, ec.value());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    cannotCreate(path, ELOOP);
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

void finish(Descriptor& file, const fs::path& shown)
{
    if (file.close() != 0) writeFailed(shown, errno);
}

// The user has taken away every write permission, or the system says no. (Checking the mode as
// well matters for root, whom access() never refuses.)
bool mayNotWrite(const struct stat& status, const fs::path& target)
{
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0;
}


// Writes text into a new file beside target, created exclusively under a name nobody can guess,
// and returns its name. It gets the mode, and where the process may, the owner and group of old;
// without old the mode a new file gets; OwnerOnly: readable and writable by its owner alone. A
// failure leaves nothing behind.
fs::path writeTemporaryBeside(const fs::path& target, const struct stat* old, std::string_view text,
                              const fs::path& shown, FileAccess access = FileAccess::AsBefore)
{
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryBeside(target);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) cannotCreate(shown, errno);
    Descriptor file(fd);
    try {
        writeAll(file, text, shown);
        if (old) {
            // Owner and group only where the process may; the group alone is often allowed.
            const bool ownerKept = ::fchown(fd, old->st_uid, old->st_gid) == 0;
            if (!ownerKept && ::fchown(fd, static_cast<uid_t>(-1), old->st_gid) != 0) {
                // Neither: the file keeps the process's owner and group, as a new file would.
            }
        }
        const mode_t mode = access == FileAccess::OwnerOnly ? 0600 : old ? old->st_mode & 07777 : modeForNewFile();
        if (::fchmod(fd, mode) != 0) writeFailed(shown, errno);
        finish(file, shown);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    return temporary;
}

void rewind(const Descriptor& file, const fs::path& shown)
{
    if (::lseek(file.get(), 0, SEEK_SET) != 0) writeFailed(shown, errno);
}

// Hard links would be split by a rename: every name must see the new text, so it is written in
// place. Before the old text is touched, a complete copy beside it shows that the disk takes the
// new one, and the blocks it needs are reserved; should the write fail all the same, the old text
// is put back.
void writeInPlace(const fs::path& target, std::string_view text, const fs::path& shown)
{
    ::unlink(writeTemporaryBeside(target, nullptr, text, shown).c_str());
    const std::string previous = readWholeFile(target);
    Descriptor file(::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) cannotCreate(shown, errno);
#ifdef __linux__
    if (::fallocate(file.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(text.size())) != 0 &&
        (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
        writeFailed(shown, errno);
#endif
    try {
        writeAll(file, text, shown);
        if (::ftruncate(file.get(), static_cast<off_t>(text.size())) != 0 || ::fsync(file.get()) != 0)
            writeFailed(shown, errno);
    } catch (...) {
        try {
            rewind(file, shown);
            writeAll(file, previous, shown);
        } catch (...) {
        }
        if (::ftruncate(file.get(), static_cast<off_t>(previous.size())) != 0) {
            // The first failure is the one reported.
        }
        throw;
    }
    finish(file, shown);
}

void replaceThroughTemporary(const fs::path& target, const struct stat* old, std::string_view text,
                             const fs::path& shown, FileAccess access)
{
    const fs::path temporary = writeTemporaryBeside(target, old, text, shown, access);
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        cannotCreate(shown, error);
    }
}

// Gives temporary the name path unless that name is taken; false when it is.
bool takeFreeName(const fs::path& temporary, const fs::path& path)
{
    if (::link(temporary.c_str(), path.c_str()) == 0) return true;
    int error = errno;
#ifdef RENAME_NOREPLACE
    // A file system without hard links may still rename without replacing.
    if (error != EEXIST && ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (error != EEXIST) error = errno;
#endif
    if (error == EEXIST) return false;
    cannotCreate(path, error);
}

}  // namespace

mode_t modeForNewFile()
{
    // The mask can only be read by setting it: one thread at a time, or another would see the 0.
    static std::mutex reading;
    const std::lock_guard lock(reading);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void saveTextFile(const fs::path& path, std::string_view text, FileAccess access)
{
    const fs::path target = followLinks(path);
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        replaceThroughTemporary(target, nullptr, text, path, access);
        return;
    }
    if (S_ISDIR(old.st_mode)) throwCannotCreate(path, "it is a folder");
    if (!S_ISREG(old.st_mode)) throwCannotCreate(path, "it is no regular file");
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) throwCannotCreate(path, "the file is read-only");
    if (mayNotWrite(old, target)) cannotCreate(path, errno);
    // A private file is never written in place: another name for it could be readable by others.
    if (old.st_nlink > 1 && access == FileAccess::AsBefore)
        writeInPlace(target, text, path);
    else
        replaceThroughTemporary(target, &old, text, path, access);
}

bool saveNewTextFile(const fs::path& path, std::string_view text)
{
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) return false;
    const fs::path temporary = writeTemporaryBeside(path, nullptr, text, path);
    bool taken = false;
    try {
        taken = takeFreeName(temporary, path);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    ::unlink(temporary.c_str());
    return taken;
}

#else

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (valid()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    BOOL close()
    {
        if (!valid()) return TRUE;
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

[[noreturn]] void writeFailed(const fs::path& path, DWORD error)
{
    throw Error("Stream write error. " + pathText(path) + ": " + windowsFileErrorReason(error, FileUse::Create));
}

bool isInUse(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

[[noreturn]] void cannotReplace(const fs::path& path, DWORD error)
{
    if (isInUse(error)) throwCannotCreate(path, "it is open in another program");
    cannotCreate(path, error);
}

void writeAll(HANDLE file, std::string_view text, const fs::path& shown)
{
    while (!text.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, text.data(), chunk, &written, nullptr)) writeFailed(shown, GetLastError());
        text.remove_prefix(written);
    }
}

void finish(Handle& file, const fs::path& shown)
{
    if (!file.close()) writeFailed(shown, GetLastError());
}

// The file a link (a symbolic link or a folder junction on the way) stands for.
fs::path finalPath(const fs::path& path)
{
    const Handle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return path;
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file.get(), name.data(), static_cast<DWORD>(name.size()), 0);
    if (length >= name.size()) {
        name.resize(length);
        length = GetFinalPathNameByHandleW(file.get(), name.data(), static_cast<DWORD>(name.size()), 0);
    }
    if (length == 0 || length >= name.size()) return path;
    name.resize(length);
    return fs::path(name);
}

DWORD linkCount(const fs::path& target)
{
    const Handle file(CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &information)) return 1;
    return information.nNumberOfLinks;
}

// Another program holding the file open without letting others delete it would make the
// replacement fail halfway; that is found out before anything is written.
void refuseWhenInUse(const fs::path& target, const fs::path& shown)
{
    const HANDLE probe = CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    const DWORD error = GetLastError();
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    else if (isInUse(error)) cannotReplace(shown, error);
}

// Writes text into a new file beside target, created exclusively under a name nobody can guess,
// with the given attributes, and returns its name. A failure leaves nothing behind.
fs::path writeTemporaryBeside(const fs::path& target, DWORD attributes, std::string_view text, const fs::path& shown)
{
    fs::path temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = temporaryBeside(target);
        created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (created == INVALID_HANDLE_VALUE) cannotCreate(shown, GetLastError());
    Handle file(created);
    try {
        writeAll(file.get(), text, shown);
        finish(file, shown);
    } catch (...) {
        file.close();
        DeleteFileW(temporary.c_str());
        throw;
    }
    return temporary;
}

// Hard links would be split by a replacement: every name must see the new text, so it is written
// in place, but only after a complete copy beside it has shown that the disk takes the new text;
// should the write fail all the same, the old text is put back.
void writeInPlace(const fs::path& target, std::string_view text, const fs::path& shown)
{
    DeleteFileW(writeTemporaryBeside(target, FILE_ATTRIBUTE_NORMAL, text, shown).c_str());
    const std::string previous = readWholeFile(target);
    Handle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) cannotReplace(shown, GetLastError());
    const auto rewrite = [&](std::string_view content) {
        if (SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
            writeFailed(shown, GetLastError());
        writeAll(file.get(), content, shown);
        if (!SetEndOfFile(file.get())) writeFailed(shown, GetLastError());
    };
    try {
        rewrite(text);
    } catch (...) {
        try {
            rewrite(previous);
        } catch (...) {
        }
        throw;
    }
    finish(file, shown);
}

// attributes: those of the file replaced (hidden, system...), which the new one keeps.
void replaceThroughTemporary(const fs::path& target, bool exists, DWORD attributes, std::string_view text,
                             const fs::path& shown)
{
    const fs::path temporary = writeTemporaryBeside(target, attributes, text, shown);
    try {
        // ReplaceFileW keeps the replaced file's attributes, security and creation time.
        if (exists && !ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                    nullptr, nullptr)) {
            const DWORD error = GetLastError();
            // The old file is gone and the new one still has its temporary name: finish the move.
            if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
                !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                cannotReplace(shown, error);
        }
        if (!exists && !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
            cannotReplace(shown, GetLastError());
    } catch (...) {
        DeleteFileW(temporary.c_str());
        throw;
    }
}

}  // namespace

// The per-user folders a private file goes to are the user's own on Windows: access is kept as is.
void saveTextFile(const fs::path& path, std::string_view text, FileAccess)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        replaceThroughTemporary(path, false, FILE_ATTRIBUTE_NORMAL, text, path);
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throwCannotCreate(path, "it is a folder");
    if (attributes & FILE_ATTRIBUTE_DEVICE) throwCannotCreate(path, "it is no regular file");
    if (attributes & FILE_ATTRIBUTE_READONLY) throwCannotCreate(path, "the file is read-only");
    const fs::path target = attributes & FILE_ATTRIBUTE_REPARSE_POINT ? finalPath(path) : path;
    refuseWhenInUse(target, path);
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (linkCount(target) > 1)
        writeInPlace(target, text, path);
    else
        replaceThroughTemporary(target, true, kept ? kept : FILE_ATTRIBUTE_NORMAL, text, path);
}

bool saveNewTextFile(const fs::path& path, std::string_view text)
{
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const fs::path temporary = writeTemporaryBeside(path, FILE_ATTRIBUTE_NORMAL, text, path);
    if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
    cannotReplace(path, error);
}

#endif

}  // namespace quillmap
