#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "app/TextFile.h"

namespace quillmap {

// Lang.ini: a plain list of 8-bit lines, each text addressed by its 0-based line number. Lines
// end at CR LF, a lone CR or a lone LF; a last line without an end counts; a NUL byte ends the
// text. Lines are kept exactly as they stand.
class LanguageFile {
public:
    static constexpr const char* FileName = "Lang.ini";

    static LanguageFile fromBytes(std::string_view bytes);
    // Reads a whole file; throws quillmap::Error when it cannot be read.
    static LanguageFile load(const std::filesystem::path& path);

    std::size_t lineCount() const { return lines_.size(); }
    // Throws quillmap::Error naming the index when the file has no line n.
    const std::string& line(std::size_t n) const;

private:
    Lines lines_;
};

// The path of the language file in the program folder.
std::filesystem::path languageFilePath(const std::filesystem::path& appFolder);
// The windows read the file only when something exists under its name; a file that exists but
// cannot be read is then reported like a short one.
bool languageFileExists(const std::filesystem::path& path);

// Line 21 becomes the help text: every backslash followed by n or N turns into CR LF.
std::string helpTextFromLine(std::string_view line);

// "Quillmap" + " " + "2.0": the product name and the version give the base of the window title.
std::string makeTitleText(const std::string& productName, const std::string& versionText);

}  // namespace quillmap
