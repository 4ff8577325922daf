// quillmap-build: builds the tree menu of a project file without a window, for scripts and site
// pipelines. It reads the project with the same reader as Open and writes the menu with the same
// build as the window's "Build" button.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/BuildCommand.h"
#include "generator/OutFolder.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "text/TextFile.h"

namespace {

// Restores the console's output code page when the program ends: our reports are UTF-8.
class Utf8Console {
public:
    Utf8Console() : previous_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
    ~Utf8Console() { SetConsoleOutputCP(previous_); }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT previous_;
};

}  // namespace

// The wide entry point gets the arguments as the user typed them, whatever the ANSI code page.
int wmain(int argc, wchar_t** argv)
{
    const Utf8Console console;
    _setmode(_fileno(stdin), _O_BINARY);  // a project read from "-" keeps its bytes
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(quillmap::pathText(argv[i]));
    return quillmap::runBuildCommand(arguments, quillmap::programDataFolder(quillmap::programFolder(argc > 0 ? argv[0] : L"")), std::cout,
                                     std::cerr);
}

#else

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return quillmap::runBuildCommand(arguments, quillmap::programDataFolder(quillmap::programFolder(argc > 0 ? argv[0] : "")), std::cout,
                                     std::cerr);
}

#endif
