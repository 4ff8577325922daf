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

#include "cli/WindowsConsole.h"

// The wide entry point gets the arguments as the user typed them, whatever the ANSI code page.
int wmain(int argc, wchar_t** argv)
{
    const quillmap::Utf8Console console;
    _setmode(_fileno(stdin), _O_BINARY);  // a project read from "-" keeps its bytes
    return quillmap::runBuildCommand(quillmap::utf8Arguments(argc, argv), quillmap::programDataFolder(quillmap::programFolder(argc > 0 ? argv[0] : L"")), std::cout,
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
