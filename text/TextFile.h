#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillmap {

using Lines = std::vector<std::string>;

// Splits a text into lines at CR LF, lone CR or lone LF; a final line end does not start an
// empty line. When maxLineLength is given, each line keeps only its first maxLineLength bytes.
Lines splitLines(std::string_view text, std::size_t maxLineLength = std::string::npos);
// The same lines as views into text, without copying them.
std::vector<std::string_view> splitLineViews(std::string_view text, std::size_t maxLineLength = std::string::npos);

// Joins lines, each followed by CR LF (the last included).
std::string joinLinesCrLf(const Lines& lines);

// The largest project or language file read: 256 MB, more than five times a project of a million
// items. Larger files are refused before anything is read.
inline constexpr std::uintmax_t MaxTextFileSize = std::uintmax_t{256} * 1024 * 1024;

// Reads a whole regular file. Throws "Cannot open file %s" when it cannot be opened or is no
// regular file (a FIFO, device, socket or folder is refused without waiting on it), and
// "Cannot open file %s: the file is larger than 256 MB" above MaxTextFileSize.
std::string readWholeFile(const std::filesystem::path& path);

// Writes lines with CR LF to path, creating or replacing it. Throws "Cannot create file %s" when
// the file cannot be created and "Stream write error. %s: <reason>" when writing fails.
void writeLinesCrLf(const std::filesystem::path& path, const Lines& lines);

// Saves text as the whole content of path without ever leaving a damaged file:
// - the text goes to a new temporary file (unpredictable name, created exclusively, never through
//   a symlink) in the target's folder, which then replaces the target; every failure removes it;
// - the saved file keeps the mode, and where the process may, the owner and group, of the file it
//   replaces;
// - a symlink is followed and the file it points to is saved; the link stays;
// - a file with more than one hard link is written in place, so the links stay one file;
// - a file that may not be written (or that is no regular file) is refused and left untouched;
// - OwnerOnly makes the saved file readable and writable by its owner alone, whatever it was.
// Throws "Cannot create file %s" when the file cannot be created or is refused, and
// "Stream write error. %s: <reason>" when writing fails.
enum class FileAccess { AsBefore, OwnerOnly };
void saveTextFile(const std::filesystem::path& path, std::string_view text, FileAccess access = FileAccess::AsBefore);

// Creates path with text as its content only when nothing has that name yet (not even a link,
// which is never followed). The text is written completely to a temporary file beside it first,
// so a failure leaves neither a fragment nor a temporary file. Returns false, writing nothing,
// when the name is taken. Throws like saveTextFile.
bool saveNewTextFile(const std::filesystem::path& path, std::string_view text);

bool fileExists(const std::filesystem::path& path);

// A path as its bytes, for messages, command lines and output: the system's bytes on POSIX, UTF-8
// on Windows, whose paths are wide; and back.
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view text);

}  // namespace quillmap
