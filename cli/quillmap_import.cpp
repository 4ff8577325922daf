// quillmap-import: makes a project file of a site folder or a sitemap, for scripts and site
// pipelines (quillmap-import site/ --out site.qmp && quillmap-build site.qmp --out site/menu).
#include <iostream>
#include <string>
#include <vector>

#include "cli/ImportCommand.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return quillmap::runImportCommand(arguments, std::cout, std::cerr);
}
