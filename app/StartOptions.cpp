#include "app/StartOptions.h"

#include <set>

#include "cli/CommandLine.h"

namespace quillmap {

namespace {

const char* const Usage =
    "Usage: quillmap [--] [PROJECT.qmp]\n"
    "\n"
    "Opens the Quillmap window, with the project file PROJECT.qmp when one is named. Quillmap\n"
    "builds collapsible tree menus for web sites: the script menu Quillnav.js and the same menu\n"
    "without script, Quillnav.html.\n"
    "\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n"
    "\n"
    "The toolkit's own options, such as -platform NAME or -style NAME, are understood too.\n"
    "\n"
    "Without a window: quillmap-build builds a project's menu, quillmap-import makes a project\n"
    "from a site folder or a sitemap, quillmap-check checks its links (each has --help).\n";

// The options Qt takes from the command line itself, with a value or without.
const std::set<std::string> ToolkitOptionsWithValue = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry", "-qwindowtitle",
    "-qwindowicon", "-style", "-stylesheet", "-session", "-display", "-geometry", "-title", "-name"};
const std::set<std::string> ToolkitFlags = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

// The arguments without the toolkit's options, which the toolkit reads later.
std::vector<std::string> withoutToolkitOptions(const std::vector<std::string>& arguments)
{
    std::vector<std::string> own;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--") {
            own.insert(own.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
            break;
        }
        if (ToolkitOptionsWithValue.count(a)) {
            ++i;
            continue;
        }
        if (ToolkitFlags.count(a) || a.rfind("-qmljsdebugger=", 0) == 0) continue;
        own.push_back(a);
    }
    return own;
}

}  // namespace

std::optional<int> readStartOptions(const std::vector<std::string>& arguments, std::string& project, std::ostream& out,
                                    std::ostream& err)
{
    CommandLineSyntax syntax;
    syntax.program = "quillmap";
    syntax.version = "2.0";
    syntax.usage = Usage;
    syntax.argument = &project;
    syntax.onlyOneArgument = "only one project can be opened at a time";
    syntax.argumentOptional = true;
    return parseCommandLine(syntax, withoutToolkitOptions(arguments), out, err);
}

}  // namespace quillmap
