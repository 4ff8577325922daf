#pragma once
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

// Reads a whole file; throws "Cannot open file %s" when it cannot be opened.
std::string readWholeFile(const std::string& path);

// Writes lines with CR LF to path, creating or replacing it. Throws "Cannot create file %s" when
// the file cannot be created and "Stream write error" when writing fails.
void writeLinesCrLf(const std::string& path, const Lines& lines);

// Like writeLinesCrLf, but writes a temporary file beside path and renames it over path, so a
// failure never leaves a half-written file where the old one was.
void writeLinesCrLfAtomically(const std::string& path, const Lines& lines);
// Writes text as it is, through a temporary file beside path in the same way.
void writeTextAtomically(const std::string& path, const std::string& text);

bool fileExists(const std::string& path);

// The file-name part of a path (after the last '/' or '\').
std::string fileNamePart(const std::string& path);
// The folder part of a path including its trailing separator; empty when there is none.
std::string folderPart(const std::string& path);

}  // namespace quillmap
