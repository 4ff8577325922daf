#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "text/TextEncoding.h"
#include "text/TextFile.h"

namespace quillmap {

// Lang.ini: a plain list of 8-bit lines, each text addressed by its 0-based line number. Lines
// end at CR LF, a lone CR or a lone LF; a last line without an end counts; a NUL byte ends the
// text. Lines are kept exactly as they stand, as bytes in the file's encoding.
class LanguageFile {
public:
    static constexpr const char* FileName = "Lang.ini";

    static LanguageFile fromBytes(std::string_view bytes);
    // Reads a whole file; throws quillmap::Error when it cannot be read.
    static LanguageFile load(const std::filesystem::path& path);

    // UTF-8 when the whole text (up to a NUL) is valid UTF-8, otherwise the 8-bit code page.
    TextEncoding encoding() const { return encoding_; }
    std::size_t lineCount() const { return lines_.size(); }
    // Throws quillmap::Error naming the index when the file has no line n.
    const std::string& line(std::size_t n) const;

private:
    Lines lines_;
    TextEncoding encoding_ = TextEncoding::Utf8;
};

// The path of the language file in the program folder.
std::filesystem::path languageFilePath(const std::filesystem::path& appFolder);
// The windows read the file only when something other than a folder exists under its name; a file
// that exists but cannot be read (a FIFO or device among them) is then reported like a short one.
bool languageFileExists(const std::filesystem::path& path);

// Line 21 becomes the help text: every backslash followed by n or N turns into CR LF.
std::string helpTextFromLine(std::string_view line);

// "Quillmap" + " " + "2.0": the product name and the version give the base of the window title.
std::string makeTitleText(const std::string& productName, const std::string& versionText);

}  // namespace quillmap
