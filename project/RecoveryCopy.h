#pragma once
// Recovery copies of unsaved work: each running window keeps one copy of its project in the
// user's recovery folder, with a lock file that the system releases when the window's process
// ends in any way. A copy whose lock nobody holds belongs to a window that did not end in order.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/DiskStamp.h"
#include "text/Error.h"

namespace quillmap {

// What a recovery copy holds: the project's own file (empty for a project never saved), when the
// copy was written (seconds since 1970), the whole project file text and the file as the window
// last read or wrote it (none for a project of no file, and in the copies of older programs).
struct RecoveredProject {
    std::string projectFile;
    std::int64_t writtenAt = 0;
    std::string projectText;
    std::optional<DiskStampValues> baseline;
};

// The copy of one window, kept while the object lives. Not thread-safe: one write at a time.
class RecoveryCopy {
public:
    // Claims a fresh copy name in folder, locked; a missing folder is made, readable by the user
    // alone. Throws quillmap::Error when the folder cannot be made or written, or is refused by
    // checkRecoveryFolder.
    explicit RecoveryCopy(const std::filesystem::path& folder);
    // An orderly end: the copy and its lock go.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Saves the copy safely, readable by the user alone. Throws quillmap::Error.
    void write(const RecoveredProject& project);
    void remove();
    const std::filesystem::path& path() const { return copy_; }

private:
    std::filesystem::path copy_;
    std::filesystem::path lock_;
#ifdef _WIN32
    void* lockHandle_;
#else
    int lockFd_;
#endif
};

// Throws quillmap::Error saying why unless folder is the user's own, writable by no one else,
// and not made read-only by the user (who thereby turns the recovery off). The folder is left as
// it is.
void checkRecoveryFolder(const std::filesystem::path& folder);

// The copies in folder whose windows no longer run, the newest first: only the user's own, which
// nobody else can write to. None when folder does not exist; throws quillmap::Error as
// checkRecoveryFolder does.
std::vector<std::filesystem::path> abandonedRecoveryCopies(const std::filesystem::path& folder);

// A copy that cannot be read (no right to it, gone meanwhile): not the same as a damaged one.
class UnreadableRecoveryCopy : public Error {
public:
    using Error::Error;
};

// Throws UnreadableRecoveryCopy when the copy cannot be read, quillmap::Error when it is damaged
// (cut short, not a recovery copy at all).
RecoveredProject readRecoveryCopy(const std::filesystem::path& copy);

void discardRecoveryCopy(const std::filesystem::path& copy);

// Renames a damaged copy so that it is never offered again but stays for the user; answers the
// new name.
std::filesystem::path setRecoveryCopyAside(const std::filesystem::path& copy);

// The text of a copy and back; readRecoveryCopy and RecoveryCopy::write use them.
std::string recoveryCopyText(const RecoveredProject& project);
RecoveredProject parseRecoveryCopy(std::string_view text);

}  // namespace quillmap
