#pragma once
// A file opened for reading by its path, wide on Windows, so that any name opens.
#include <cstdio>
#include <filesystem>
#include <memory>

namespace quillmap {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using ReadFile = std::unique_ptr<std::FILE, FileCloser>;

inline ReadFile openToRead(const std::filesystem::path& path)
{
#ifdef _WIN32
    return ReadFile(_wfopen(path.c_str(), L"rb"));
#else
    return ReadFile(std::fopen(path.c_str(), "rb"));
#endif
}

}  // namespace quillmap
