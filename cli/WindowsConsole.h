#pragma once
// The command-line programs on Windows: the arguments as the user typed them (from the wide entry
// point, whatever the ANSI code page) as UTF-8, and the console showing our UTF-8 reports.
#ifdef _WIN32
#include <windows.h>

#include <string>
#include <vector>

#include "text/TextFile.h"

namespace quillmap {

// Restores the console's output code page when the program ends.
class Utf8Console {
public:
    Utf8Console() : previous_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
    ~Utf8Console() { SetConsoleOutputCP(previous_); }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT previous_;
};

inline std::vector<std::string> utf8Arguments(int argc, wchar_t** argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(pathText(argv[i]));
    return arguments;
}

}  // namespace quillmap
#endif
