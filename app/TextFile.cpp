#include "app/TextFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "app/Error.h"

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

std::string readWholeFile(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw Error("Cannot open file " + path);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error("Cannot open file " + path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw Error("Cannot open file " + path);
    return text;
}

static void writeText(const std::string& path, const std::string& text, const std::string& shownPath)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw Error("Cannot create file " + shownPath);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) throw Error("Stream write error");
}

void writeLinesCrLf(const std::string& path, const Lines& lines)
{
    writeText(path, joinLinesCrLf(lines), path);
}

void writeLinesCrLfAtomically(const std::string& path, const Lines& lines)
{
    writeTextAtomically(path, joinLinesCrLf(lines));
}

void writeTextAtomically(const std::string& path, const std::string& text)
{
    const std::string temporary = path + ".saving";
    try {
        writeText(temporary, text, path);
    } catch (...) {
        std::remove(temporary.c_str());
        throw;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        throw Error("Cannot create file " + path);
    }
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string fileNamePart(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderPart(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace quillmap
