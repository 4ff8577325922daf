#include "cli/ImportCommand.h"

#include <filesystem>

#include "text/Error.h"
#include "text/ErrorReport.h"
#include "cli/CommandLine.h"
#include "import/SiteImporter.h"
#include "project/ProjectWriter.h"

namespace quillmap {

namespace {

const char* const Usage =
    "Usage: quillmap-import SITE_DIR_OR_SITEMAP [--base DIR] [--site DIR] [--pdf] [--out PROJECT.qmp]\n"
    "\n"
    "Makes a Quillmap project of a site: a folder item per folder that holds pages, a document per\n"
    "page (.html, .htm, .xhtml, .shtml, .php), captioned with the page's title. A folder's index page\n"
    "becomes the folder's link. Given a sitemap.xml (or a sitemap index), its addresses become the\n"
    "documents, grouped into folders by their paths.\n"
    "\n"
    "  --base DIR   write the links relative to DIR, the folder of the page that will show the menu\n"
    "               (default: the site folder, or the sitemap's folder)\n"
    "  --site DIR   sitemaps: the local folder of the site, whose page titles become the captions\n"
    "               (default: captions from the addresses, the site's root being the sitemap's folder)\n"
    "  --pdf        take .pdf files as pages too\n"
    "  --out FILE   write the project to FILE (default: standard output)\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n";

const char* const ProgramVersion = "2.0";

struct Request {
    std::string source;
    std::string base;
    std::string site;
    std::string out;
    bool withPdf = false;
};

bool isSitemapFile(const std::string& source)
{
    std::error_code ec;
    return std::filesystem::exists(source, ec) && !std::filesystem::is_directory(source, ec);
}

}  // namespace

int runImportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    Request request;
    const CommandLineSyntax syntax{"quillmap-import",
                                   ProgramVersion,
                                   Usage,
                                   {{"--base", "a value", &request.base},
                                    {"--site", "a value", &request.site},
                                    {"--out", "a value", &request.out}},
                                   {{"--pdf", &request.withPdf}},
                                   &request.source,
                                   "only one site folder or sitemap can be imported at a time"};
    if (const auto status = parseCommandLine(syntax, arguments, out, err)) return *status;

    try {
        ImportOptions options;
        options.base = request.base;
        options.siteFolder = request.site;
        options.withPdf = request.withPdf;
        const SiteImporter importer(options);
        std::optional<ImportResult> result = isSitemapFile(request.source) ? importer.importSitemap(request.source)
                                                                           : importer.importFolder(request.source);
        if (!result) return 1;
        const ProjectOptions projectOptions;
        std::ostream& report = request.out.empty() ? err : out;
        if (request.out.empty())
            out << projectText(*result->items, projectOptions) << std::flush;
        else
            saveProjectFile(request.out, *result->items, projectOptions);
        report << result->report.summary() << "\n";
        if (!out) throw Error("Stream write error");
        return 0;
    } catch (const std::exception& e) {
        err << reportText(e.what()) << "\n";
        return 1;
    }
}

}  // namespace quillmap
