// quillmap-import: makes a project file of a site folder or a sitemap, for scripts and site
// pipelines (quillmap-import site/ --out site.qmp && quillmap-build site.qmp --out site/menu).
#include <iostream>
#include <string>
#include <vector>

#include "cli/ImportCommand.h"

#ifdef _WIN32
#include "cli/WindowsConsole.h"

int wmain(int argc, wchar_t** argv)
{
    const quillmap::Utf8Console console;
    std::ios::sync_with_stdio(false);
    return quillmap::runImportCommand(quillmap::utf8Arguments(argc, argv), std::cout, std::cerr);
}
#else
int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return quillmap::runImportCommand(arguments, std::cout, std::cerr);
}
#endif
