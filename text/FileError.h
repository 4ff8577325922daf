#pragma once
// The errors of reading and writing a file, with the reason in a few plain words, so that the
// user learns what to change: "Cannot create file /usr/share/x.qmp: permission denied".
#include <filesystem>
#include <string>

namespace quillmap {

enum class FileUse { Open, Create };

// The reason for a system error number (errno) met while opening or creating a file.
std::string fileErrorReason(int error, FileUse use);
#ifdef _WIN32
// The reason for a Windows error code (GetLastError).
std::string windowsFileErrorReason(unsigned long error, FileUse use);
#endif

// "Cannot open file PATH: REASON"
[[noreturn]] void throwCannotOpen(const std::filesystem::path& path, const std::string& reason);
// "Cannot create file PATH: REASON"
[[noreturn]] void throwCannotCreate(const std::filesystem::path& path, const std::string& reason);

}  // namespace quillmap
