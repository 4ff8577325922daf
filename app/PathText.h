#pragma once
// Paths travel through core code as std::filesystem::path, which is wide on Windows, so a name
// outside the 8-bit code page reaches the file system intact. Where a path has to become text (an
// error message, a command-line argument, a line of output) that text is UTF-8 on Windows and
// the path's own bytes elsewhere.
#include <filesystem>
#include <string>
#include <string_view>

namespace quillmap {

std::filesystem::path pathFromText(std::string_view text);
std::string pathText(const std::filesystem::path& path);

}  // namespace quillmap
