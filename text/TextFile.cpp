#include "text/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "text/Error.h"
#include "text/FileError.h"

namespace quillmap {

std::vector<std::string_view> splitLineViews(std::string_view text, std::size_t maxLineLength)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
        std::string_view line = text.substr(start, end - start);
        if (line.size() > maxLineLength) line = line.substr(0, maxLineLength);
        lines.push_back(line);
        if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

Lines splitLines(std::string_view text, std::size_t maxLineLength)
{
    const auto views = splitLineViews(text, maxLineLength);
    return Lines(views.begin(), views.end());
}

std::string joinLinesCrLf(const Lines& lines)
{
    std::size_t total = 0;
    for (const auto& line : lines) total += line.size() + 2;
    std::string text;
    text.reserve(total);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string pathText(const std::filesystem::path& path)
{
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.native();
#endif
}

std::filesystem::path pathFromText(std::string_view text)
{
#ifdef _WIN32
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
#else
    return std::filesystem::path(std::string(text));
#endif
}

namespace {

[[noreturn]] void cannotOpen(const std::filesystem::path& path, int error)
{
    throwCannotOpen(path, fileErrorReason(error, FileUse::Open));
}

[[noreturn]] void tooLarge(const std::filesystem::path& path)
{
    throw Error("Cannot open file " + pathText(path) + ": the file is larger than 256 MB");
}

}  // namespace

#ifndef _WIN32

std::string readWholeFile(const std::filesystem::path& path)
{
    // Opening without waiting: a FIFO would otherwise block until someone writes into it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) cannotOpen(path, errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat status {};
    if (::fstat(fd, &status) != 0) cannotOpen(path, errno);
    if (S_ISDIR(status.st_mode)) throwCannotOpen(path, "it is a folder");
    if (!S_ISREG(status.st_mode)) throwCannotOpen(path, "it is no regular file");
    if (static_cast<std::uintmax_t>(status.st_size) > MaxTextFileSize) tooLarge(path);

    std::string text;
    text.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) cannotOpen(path, errno);
        if (got == 0) break;
        // The file may grow while it is read.
        if (text.size() + static_cast<std::size_t>(got) > MaxTextFileSize) tooLarge(path);
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

#else

std::string readWholeFile(const std::filesystem::path& path)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) throwCannotOpen(path, "no such file");
    if (std::filesystem::is_directory(status)) throwCannotOpen(path, "it is a folder");
    if (!std::filesystem::is_regular_file(status)) throwCannotOpen(path, "it is no regular file");
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) throwCannotOpen(path, ec.message());
    if (size > MaxTextFileSize) tooLarge(path);
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) cannotOpen(path, errno ? errno : EACCES);
    std::string text;
    text.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        if (text.size() + static_cast<std::size_t>(in.gcount()) > MaxTextFileSize) tooLarge(path);
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) cannotOpen(path, errno ? errno : EIO);
    return text;
}

#endif

void writeLinesCrLf(const std::filesystem::path& path, const Lines& lines)
{
    const std::string text = joinLinesCrLf(lines);
#ifdef _WIN32
    std::FILE* file = _wfopen(path.c_str(), L"wb");
#else
    std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
    if (!file) throwCannotCreate(path, fileErrorReason(errno, FileUse::Create));
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        throw Error("Stream write error. " + pathText(path) + ": " + std::strerror(written ? errno : error));
}

bool fileExists(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace quillmap
