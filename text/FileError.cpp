#include "text/FileError.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

#include "text/Error.h"
#include "text/TextFile.h"

namespace quillmap {

std::string fileErrorReason(int error, FileUse use)
{
    switch (error) {
    case ENOENT:
        return use == FileUse::Open ? "no such file" : "no such folder";
    case ENOTDIR:
        return "no such folder";
    case EACCES:
    case EPERM:
        return "permission denied";
    case EROFS:
        return "the disk is read-only";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "the disk is full";
    case EISDIR:
        return "it is a folder";
    case ENAMETOOLONG:
        return "the name is too long";
    default:
        break;
    }
    std::string text = std::strerror(error);
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z' && !(text.size() > 1 && text[1] >= 'A' && text[1] <= 'Z'))
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

#ifdef _WIN32

std::string windowsFileErrorReason(unsigned long error, FileUse use)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return use == FileUse::Open ? "no such file" : "no such folder";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return "no such folder";
    case ERROR_ACCESS_DENIED:
        return "permission denied";
    case ERROR_WRITE_PROTECT:
        return "the disk is read-only";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "the disk is full";
    case ERROR_FILENAME_EXCED_RANGE:
        return "the name is too long";
    default:
        break;
    }
    // The system's own words, in UTF-8 like the file names beside them.
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", text ? length : 0);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L'.'))
        message.pop_back();
    if (message.empty()) return "error " + std::to_string(error);
    return pathText(std::filesystem::path(message));
}

#endif

void throwCannotOpen(const std::filesystem::path& path, const std::string& reason)
{
    throw Error("Cannot open file " + pathText(path) + ": " + reason);
}

void throwCannotCreate(const std::filesystem::path& path, const std::string& reason)
{
    throw Error("Cannot create file " + pathText(path) + ": " + reason);
}

}  // namespace quillmap
