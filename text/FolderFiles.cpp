#include "text/FolderFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "text/Error.h"
#include "text/FileError.h"
#include "text/NewFileMode.h"
#include "text/TextFile.h"
#include "text/UnguessableName.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillmap {

namespace fs = std::filesystem;

namespace {

std::string temporaryName() { return ".quillmap-" + unguessableName() + ".tmp"; }

struct Pending {
    const FolderFile* file;
    std::string temporary;
};

}  // namespace

#ifndef _WIN32

namespace {

using Existing = struct stat;

class Folder {
public:
    // first: the first file to be written, named when the folder itself fails.
    Folder(const fs::path& path, const std::string& first)
        : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (fd_ < 0) cannotCreate(first, errno);
    }
    ~Folder()
    {
        for (const std::string& name : temporaries_) ::unlinkat(fd_, name.c_str(), 0);
        ::close(fd_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    std::string shown(const std::string& name) const { return pathText(path_ / name); }
    [[noreturn]] void cannotCreate(const std::string& name, int error) const
    {
        throwCannotCreate(path_ / name, fileErrorReason(error, FileUse::Create));
    }

    // What the name holds now, without following a link; nothing when nothing has the name.
    std::optional<Existing> existing(const std::string& name) const
    {
        Existing out{};
        if (::fstatat(fd_, name.c_str(), &out, AT_SYMLINK_NOFOLLOW) == 0) return out;
        if (errno != ENOENT) cannotCreate(name, errno);
        return std::nullopt;
    }

    // A folder, or a file whose every write permission the user took away, stays as it is.
    void refuseToReplace(const std::string& name, const Existing& old) const
    {
        if (S_ISDIR(old.st_mode)) cannotCreate(name, EISDIR);
        if (S_ISREG(old.st_mode) && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) cannotCreate(name, EACCES);
    }

    bool holds(const std::string& name, const Existing& old, const std::string& text) const
    {
        if (!S_ISREG(old.st_mode) || static_cast<std::size_t>(old.st_size) != text.size()) return false;
        const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return false;
        std::string content(text.size(), '\0');
        std::size_t done = 0;
        while (done < content.size()) {
            const ssize_t got = ::read(fd, content.data() + done, content.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        ::close(fd);
        return done == content.size() && content == text;
    }

    // The text in a new file of the folder; its name, which the folder removes again unless it
    // is renamed. It gets the mode (and where the process may, the owner) of the file it replaces;
    // a link's own mode says nothing, so what replaces one gets the mode of a new file.
    std::string writeTemporary(const FolderFile& file, const Existing* replaced)
    {
        const Existing* old = replaced && S_ISREG(replaced->st_mode) ? replaced : nullptr;
        std::string name;
        int fd = -1;
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            name = temporaryName();
            fd = ::openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
            if (fd < 0 && errno != EEXIST) break;
        }
        if (fd < 0) cannotCreate(file.name, errno);
        temporaries_.push_back(name);
        const auto failed = [&](int error) {
            ::close(fd);
            throw Error("Stream write error. " + shown(file.name) + ": " + std::strerror(error));
        };
        std::string_view rest = file.text;
        while (!rest.empty()) {
            const ssize_t written = ::write(fd, rest.data(), rest.size());
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) failed(errno);
            rest.remove_prefix(static_cast<std::size_t>(written));
        }
        if (old && ::fchown(fd, old->st_uid, old->st_gid) != 0) {
            // Not allowed: the file becomes the process's, as a new one would.
        }
        if (::fchmod(fd, old ? old->st_mode & 07777 : modeForNewFile()) != 0) failed(errno);
        if (::close(fd) != 0) throw Error("Stream write error. " + shown(file.name) + ": " + std::strerror(errno));
        return name;
    }

    void rename(const std::string& temporary, const std::string& name)
    {
        if (::renameat(fd_, temporary.c_str(), fd_, name.c_str()) != 0) cannotCreate(name, errno);
        std::erase(temporaries_, temporary);
    }

private:
    fs::path path_;
    int fd_;
    std::vector<std::string> temporaries_;
};

}  // namespace

#else

namespace {

struct Existing {
    DWORD attributes;
};

std::string systemText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L'.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(error) : pathText(fs::path(message));
}

class Folder {
public:
    Folder(const fs::path& path, const std::string& first) : path_(path)
    {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) cannotCreate(first, GetLastError());
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) cannotCreate(first, ERROR_DIRECTORY);
    }
    ~Folder()
    {
        for (const std::string& name : temporaries_) DeleteFileW((path_ / name).c_str());
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    [[noreturn]] void cannotCreate(const std::string& name, DWORD error) const
    {
        throwCannotCreate(path_ / name, windowsFileErrorReason(error, FileUse::Create));
    }

    // The name's attributes; nothing when nothing has the name.
    std::optional<Existing> existing(const std::string& name) const
    {
        const DWORD attributes = GetFileAttributesW((path_ / name).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
        return Existing{attributes};
    }

    // A folder (not a link to one), or a read-only file, stays as it is.
    void refuseToReplace(const std::string& name, const Existing& old) const
    {
        if ((old.attributes & FILE_ATTRIBUTE_DIRECTORY) && !(old.attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            cannotCreate(name, ERROR_DIRECTORY);
        if (old.attributes & FILE_ATTRIBUTE_READONLY) cannotCreate(name, ERROR_ACCESS_DENIED);
    }

    bool holds(const std::string& name, const Existing& old, const std::string& text) const
    {
        if (old.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE))
            return false;
        try {
            return readWholeFile(path_ / name) == text;
        } catch (const Error&) {
            return false;
        }
    }

    std::string writeTemporary(const FolderFile& file, const Existing*)
    {
        std::string name;
        HANDLE handle = INVALID_HANDLE_VALUE;
        for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
            name = temporaryName();
            handle = CreateFileW((path_ / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
            if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
        }
        if (handle == INVALID_HANDLE_VALUE) cannotCreate(file.name, GetLastError());
        temporaries_.push_back(name);
        std::string_view rest = file.text;
        while (!rest.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 1u << 30));
            DWORD written = 0;
            if (!WriteFile(handle, rest.data(), chunk, &written, nullptr)) {
                const DWORD error = GetLastError();
                CloseHandle(handle);
                throw Error("Stream write error. " + pathText(path_ / file.name) + ": " + systemText(error));
            }
            rest.remove_prefix(written);
        }
        if (!CloseHandle(handle))
            throw Error("Stream write error. " + pathText(path_ / file.name) + ": " + systemText(GetLastError()));
        return name;
    }

    void rename(const std::string& temporary, const std::string& name)
    {
        // Replaces whatever has the name, a link included, without following it.
        if (!MoveFileExW((path_ / temporary).c_str(), (path_ / name).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            cannotCreate(name, GetLastError());
        std::erase(temporaries_, temporary);
    }

private:
    fs::path path_;
    std::vector<std::string> temporaries_;
};

}  // namespace

#endif

FolderFilesReport writeFolderFiles(const fs::path& path, const std::vector<FolderFile>& files)
{
    if (files.empty()) return {};
    Folder folder(path, files.front().name);
    FolderFilesReport report;
    std::vector<Pending> pending;
    for (const FolderFile& file : files) {
        const std::optional<Existing> old = folder.existing(file.name);
        if (old && folder.holds(file.name, *old, file.text)) {
            report.unchanged.push_back(file.name);
            continue;
        }
        if (old && file.onlyIfMissing) {
            report.kept.push_back(file.name);
            continue;
        }
        if (old) folder.refuseToReplace(file.name, *old);
        pending.push_back({&file, folder.writeTemporary(file, old ? &*old : nullptr)});
    }
    for (const Pending& p : pending) {
        folder.rename(p.temporary, p.file->name);
        report.written.push_back(p.file->name);
    }
    return report;
}

}  // namespace quillmap
