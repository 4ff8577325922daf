// quillmap-check: checks the links of a project's items against the site folder, and with
// --online against their servers, for scripts and site pipelines
// (quillmap-check site.qmp --site site/ && quillmap-build site.qmp --out site/menu).
#include <iostream>
#include <string>
#include <vector>

#include "cli/CheckCommand.h"

#ifdef _WIN32
#include "cli/WindowsConsole.h"

int wmain(int argc, wchar_t** argv)
{
    const quillmap::Utf8Console console;
    std::ios::sync_with_stdio(false);
    return quillmap::runCheckCommand(quillmap::utf8Arguments(argc, argv), std::cout, std::cerr);
}
#else
int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return quillmap::runCheckCommand(arguments, std::cout, std::cerr);
}
#endif
