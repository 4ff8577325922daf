// quillmap-build: builds the tree menu of a project file without a window, for scripts and site
// pipelines. It reads the project with the same reader as Open and writes the menu with the same
// build as the window's "Build" button.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/Error.h"
#include "cli/BuildCommand.h"

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return quillmap::runBuildCommand(arguments, quillmap::programFolder(argc > 0 ? argv[0] : ""), std::cout, std::cerr);
}
