#include "app/PathText.h"

namespace quillmap {

#ifdef _WIN32

std::filesystem::path pathFromText(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string pathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

#else

std::filesystem::path pathFromText(std::string_view text) { return std::filesystem::path(std::string(text)); }
std::string pathText(const std::filesystem::path& path) { return path.native(); }

#endif

}  // namespace quillmap
