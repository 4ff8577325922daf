#include "lang/LanguageFile.h"

#include <filesystem>
#include <system_error>

#include "text/Error.h"

namespace quillmap {

LanguageFile LanguageFile::fromBytes(std::string_view bytes)
{
    const auto nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
    LanguageFile file;
    file.lines_ = splitLines(bytes);
    file.encoding_ = detectEncoding(bytes);
    return file;
}

LanguageFile LanguageFile::load(const std::filesystem::path& path)
{
    return fromBytes(readWholeFile(path));
}

const std::string& LanguageFile::line(std::size_t n) const
{
    if (n >= lines_.size())
        throw Error("List index out of bounds (" + std::to_string(n) + "): " + FileName + " is too short, it has " +
                    std::to_string(lines_.size()) + (lines_.size() == 1 ? " line" : " lines"));
    return lines_[n];
}

std::filesystem::path languageFilePath(const std::filesystem::path& appFolder) { return appFolder / LanguageFile::FileName; }

bool languageFileExists(const std::filesystem::path& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string helpTextFromLine(std::string_view line)
{
    std::string text;
    text.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == 'n' || line[i + 1] == 'N')) {
            text += "\r\n";
            ++i;
        } else {
            text += line[i];
        }
    }
    return text;
}

std::string makeTitleText(const std::string& productName, const std::string& versionText)
{
    return productName + " " + versionText;
}

}  // namespace quillmap
