#include "project/RecoveryCopy.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <system_error>

#include "text/Error.h"
#include "text/TextFile.h"
#include "text/UnguessableName.h"
#include "text/UsersOwn.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillmap {

namespace fs = std::filesystem;

namespace {

// Copies of the first kind have no line for the file's baseline.
const std::string_view FirstLine = "Quillmap recovery copy 2";
const std::string_view FirstLineWithoutBaseline = "Quillmap recovery copy 1";
const char* const CopySuffix = ".recovery";
const char* const LockSuffix = ".lock";
const char* const AsideSuffix = ".damaged";

fs::path lockOf(const fs::path& copy)
{
    fs::path lock = copy;
    return lock.replace_extension(LockSuffix);
}

// A file name may hold any byte but the line ends that separate the copy's header lines.
std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '%') out += "%25";
        else if (c == '\r') out += "%0D";
        else if (c == '\n') out += "%0A";
        else out += c;
    }
    return out;
}

std::string unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view code = text.substr(i, 3);
        if (code == "%25") out += '%';
        else if (code == "%0D") out += '\r';
        else if (code == "%0A") out += '\n';
        else {
            out += text[i];
            continue;
        }
        i += 2;
    }
    return out;
}

[[noreturn]] void damaged() { throw Error("The recovery copy is damaged"); }

// The next header line, without its CR LF.
std::string_view takeLine(std::string_view& text)
{
    const std::size_t end = text.find("\r\n");
    if (end == std::string_view::npos) damaged();
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 2);
    return line;
}

template <typename Number>
Number number(std::string_view line)
{
    Number value{};
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || end != line.data() + line.size()) damaged();
    return value;
}

#ifndef _WIN32

// Whether a live process holds the lock of copy. A lock file that is gone or cannot be opened
// belongs to nobody.
bool lockIsHeld(const fs::path& copy)
{
    const int fd = ::open(lockOf(copy).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

#else

bool lockIsHeld(const fs::path& copy)
{
    const HANDLE probe = CreateFileW(lockOf(copy).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

#endif

// The baseline line: empty, or size, time and hash with a blank between them.
std::string baselineLine(const std::optional<DiskStampValues>& baseline)
{
    if (!baseline) return {};
    return std::to_string(baseline->size) + ' ' + std::to_string(baseline->modified) + ' ' +
           std::to_string(baseline->hash);
}

std::optional<DiskStampValues> parseBaseline(std::string_view line)
{
    if (line.empty()) return std::nullopt;
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos) damaged();
    DiskStampValues values;
    values.size = number<std::uintmax_t>(line.substr(0, first));
    values.modified = number<std::int64_t>(line.substr(first + 1, second - first - 1));
    values.hash = number<std::uint64_t>(line.substr(second + 1));
    return values;
}

}  // namespace

std::string recoveryCopyText(const RecoveredProject& project)
{
    std::string text;
    text.reserve(project.projectText.size() + project.projectFile.size() + 128);
    text.append(FirstLine).append("\r\n");
    text.append(escaped(project.projectFile)).append("\r\n");
    text.append(std::to_string(project.writtenAt)).append("\r\n");
    text.append(baselineLine(project.baseline)).append("\r\n");
    text.append(std::to_string(project.projectText.size())).append("\r\n");
    text.append(project.projectText);
    return text;
}

RecoveredProject parseRecoveryCopy(std::string_view text)
{
    RecoveredProject project;
    const std::string_view first = takeLine(text);
    if (first != FirstLine && first != FirstLineWithoutBaseline) damaged();
    project.projectFile = unescaped(takeLine(text));
    project.writtenAt = number<std::int64_t>(takeLine(text));
    if (first == FirstLine) project.baseline = parseBaseline(takeLine(text));
    // A copy cut short by a full disk or a power cut has fewer bytes than it announces.
    if (number<std::size_t>(takeLine(text)) != text.size()) damaged();
    project.projectText = std::string(text);
    return project;
}

RecoveredProject readRecoveryCopy(const fs::path& copy)
{
    std::string text;
    try {
        text = readWholeFile(copy);
    } catch (const Error& error) {
        throw UnreadableRecoveryCopy(error.what());
    }
    return parseRecoveryCopy(text);
}

void checkRecoveryFolder(const fs::path& folder)
{
    requireUsersOwnFolder(folder);
#ifndef _WIN32
    struct stat status;
    if (::stat(folder.c_str(), &status) == 0 && !(status.st_mode & S_IWUSR))
        throw Error("The folder " + pathText(folder) + " is read-only");
#endif
}

void discardRecoveryCopy(const fs::path& copy)
{
    std::error_code ignored;
    fs::remove(copy, ignored);
    fs::remove(lockOf(copy), ignored);
}

fs::path setRecoveryCopyAside(const fs::path& copy)
{
    fs::path aside = copy;
    aside.replace_extension(AsideSuffix);
    std::error_code ignored;
    fs::rename(copy, aside, ignored);
    fs::remove(lockOf(copy), ignored);
    return aside;
}

std::vector<fs::path> abandonedRecoveryCopies(const fs::path& folder)
{
    std::vector<std::pair<fs::file_time_type, fs::path>> found;
    std::error_code ec;
    if (!fs::exists(folder, ec)) return {};
    checkRecoveryFolder(folder);
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec)) {
        const fs::path& path = entry->path();
        if (path.extension() != CopySuffix || !entry->is_regular_file(ec) || !whyNotUsersOwn(path).empty() ||
            lockIsHeld(path))
            continue;
        found.emplace_back(entry->last_write_time(ec), path);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<fs::path> copies;
    for (auto& [time, path] : found) copies.push_back(std::move(path));
    return copies;
}

void RecoveryCopy::write(const RecoveredProject& project)
{
    saveTextFile(copy_, recoveryCopyText(project), FileAccess::OwnerOnly);
}

void RecoveryCopy::remove()
{
    std::error_code ignored;
    fs::remove(copy_, ignored);
}

#ifndef _WIN32

RecoveryCopy::RecoveryCopy(const fs::path& folder) : lockFd_(-1)
{
    std::error_code ec;
    if (fs::create_directories(folder, ec) && ::chmod(folder.c_str(), 0700) != 0) ec.assign(errno, std::generic_category());
    if (ec) throw Error("Cannot create folder " + pathText(folder));
    checkRecoveryFolder(folder);
    for (int attempt = 0; attempt < 100 && lockFd_ < 0; ++attempt) {
        copy_ = folder / (unguessableName() + CopySuffix);
        lock_ = lockOf(copy_);
        lockFd_ = ::open(lock_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (lockFd_ < 0 && errno != EEXIST) break;
    }
    if (lockFd_ < 0 || ::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        if (lockFd_ >= 0) ::close(lockFd_);
        throw Error("Cannot create file " + pathText(lock_));
    }
}

RecoveryCopy::~RecoveryCopy()
{
    remove();
    ::unlink(lock_.c_str());
    ::close(lockFd_);
}

#else

RecoveryCopy::RecoveryCopy(const fs::path& folder) : lockHandle_(INVALID_HANDLE_VALUE)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw Error("Cannot create folder " + pathText(folder));
    checkRecoveryFolder(folder);
    for (int attempt = 0; attempt < 100 && lockHandle_ == INVALID_HANDLE_VALUE; ++attempt) {
        copy_ = folder / (unguessableName() + CopySuffix);
        lock_ = lockOf(copy_);
        // Shared with nobody and gone with the last handle, which the system closes however the
        // process ends.
        lockHandle_ = CreateFileW(lock_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (lockHandle_ == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (lockHandle_ == INVALID_HANDLE_VALUE) throw Error("Cannot create file " + pathText(lock_));
}

RecoveryCopy::~RecoveryCopy()
{
    remove();
    CloseHandle(lockHandle_);
}

#endif

}  // namespace quillmap
