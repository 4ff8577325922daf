#include "cli/CheckCommand.h"

#include <filesystem>

#include "text/Error.h"
#include "text/ErrorReport.h"
#include "text/MessageTexts.h"
#include "text/TextEncoding.h"
#include "text/TextFile.h"
#include "cli/CommandLine.h"
#include "import/ImportReport.h"
#include "import/LinkCheck.h"
#include "project/ProjectData.h"
#include "project/ProjectSite.h"

namespace quillmap {

namespace {

const char* const Usage =
    "Usage: quillmap-check PROJECT.qmp [--site DIR] [--online] [--timeout SECONDS] [--verbose]\n"
    "\n"
    "Checks the link of every item of a Quillmap project. Prints one line per broken link, the\n"
    "item's place in the tree, its link and the reason, in tree order, then a summary.\n"
    "\n"
    "  --site DIR         the folder of the page that shows the menu, from which local links are\n"
    "                     found (default: the project's site folder, else the project file's folder)\n"
    "  --online           also ask the servers of http: and https: links, 8 at a time\n"
    "  --timeout SECONDS  how long a server may take for one link (default: 10)\n"
    "  --verbose          also list the links that are not checked: mailto:, tel:, javascript:,\n"
    "                     web addresses without --online\n"
    "  --help             show this text\n"
    "  --version          show the program's version\n"
    "\n"
    "Exit status: 0 when every link is good, 1 when some are broken, 2 when the check could not run.\n";

const char* const ProgramVersion = "2.0";

struct Request {
    std::string project;
    std::string site;
    std::string timeout;
    bool online = false;
    bool verbose = false;
};

std::string counted(std::size_t count, const char* what)
{
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}  // namespace

int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    Request request;
    const CommandLineSyntax syntax{"quillmap-check",
                                   ProgramVersion,
                                   Usage,
                                   {{"--site", "a folder", &request.site}, {"--timeout", "a number", &request.timeout}},
                                   {{"--online", &request.online}, {"--verbose", &request.verbose}},
                                   &request.project,
                                   "only one project file can be checked at a time"};
    if (const auto status = parseCommandLine(syntax, arguments, out, err)) return *status;

    const MessageTexts texts;
    try {
        LinkCheckOptions options;
        options.online = request.online;
        if (!request.timeout.empty()) {
            const int seconds = toInteger(request.timeout);
            if (seconds <= 0) throw Error("The timeout must be at least one second");
            options.web.timeout = std::chrono::seconds(seconds);
        }
        const std::filesystem::path projectPath = pathFromText(request.project);
        ProjectData project;
        const ReadOutcome outcome = readProjectData(projectPath, project);
        if (outcome != ReadOutcome::Loaded) {
            err << (outcome == ReadOutcome::NotAProject ? texts.notProjectFile : texts.newerVersion) << "\n";
            return 2;
        }
        if (!request.site.empty())
            options.siteFolder = pathFromText(request.site);
        else if (!project.options.site.empty())
            options.siteFolder = resolveSite(project.options.site, projectFolderOf(projectPath)).site;
        else
            options.siteFolder = std::filesystem::absolute(projectPath).parent_path();

        // Texts of an 8-bit project become UTF-8: the browser asks for the file names so, and
        // the terminal shows them so.
        const auto utf8 = [&](const std::string& text) {
            if (project.encoding == TextEncoding::Utf8) return text;
            std::string converted;
            encodeText(decodeText(text, TextEncoding::CodePage), TextEncoding::Utf8, converted);
            return converted;
        };
        const std::vector<Node*> items = project.tree.preorder();
        std::vector<LinkToCheck> links;
        links.reserve(items.size());
        for (const Node* item : items) links.push_back({item->record() ? utf8(item->record()->URL) : std::string(), item->isDocument()});
        const std::vector<LinkOutcome> outcomes = *checkLinks(links, options);

        std::size_t good = 0, broken = 0, notChecked = 0;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const LinkOutcome& result = outcomes[i];
            good += result.verdict == LinkVerdict::Good;
            broken += result.verdict == LinkVerdict::Broken;
            notChecked += result.verdict == LinkVerdict::NotChecked;
            // The project's texts and the names they lead to are shown with their control
            // characters visible, so that none can work on the terminal.
            if (result.verdict == LinkVerdict::Broken)
                out << visibleText(utf8(ItemTree::captionPath(items[i]))) << ": " << visibleText(links[i].link) << ": "
                    << visibleText(result.reason) << "\n";
            else if (result.verdict == LinkVerdict::NotChecked && request.verbose)
                out << visibleText(utf8(ItemTree::captionPath(items[i]))) << ": " << visibleText(links[i].link)
                    << ": not checked (" << visibleText(result.reason) << ")\n";
        }
        out << counted(good + broken, "link") << " checked, " << broken << " broken, " << notChecked
            << " not checked.\n";
        return broken == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        err << visibleText(reportText(e.what())) << "\n";
        return 2;
    }
}

}  // namespace quillmap
