#include "cli/ImportCommand.h"

#include <filesystem>

#include "app/Error.h"
#include "app/ErrorReport.h"
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

// Reads "--name VALUE" or "--name=VALUE" at arguments[i]; false when it is another argument.
bool optionValue(const std::vector<std::string>& arguments, std::size_t& i, const std::string& name,
                 std::string& value, bool& missing)
{
    const std::string& a = arguments[i];
    if (a.rfind(name + "=", 0) == 0) {
        value = a.substr(name.size() + 1);
        return true;
    }
    if (a != name) return false;
    if (i + 1 >= arguments.size()) {
        missing = true;
        return true;
    }
    value = arguments[++i];
    return true;
}

bool isSitemapFile(const std::string& source)
{
    std::error_code ec;
    return std::filesystem::exists(source, ec) && !std::filesystem::is_directory(source, ec);
}

}  // namespace

int runImportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    Request request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") {
            out << Usage;
            return 0;
        }
        if (a == "--version") {
            out << "quillmap-import " << ProgramVersion << "\n";
            return 0;
        }
        bool missing = false;
        if (optionValue(arguments, i, "--base", request.base, missing) ||
            optionValue(arguments, i, "--site", request.site, missing) ||
            optionValue(arguments, i, "--out", request.out, missing)) {
            if (missing) {
                err << "quillmap-import: " << a << " needs a value\n" << Usage;
                return 2;
            }
            continue;
        }
        if (a == "--pdf") {
            request.withPdf = true;
            continue;
        }
        if (!a.empty() && a[0] == '-') {
            err << "quillmap-import: unknown option " << a << "\n" << Usage;
            return 2;
        }
        if (!request.source.empty()) {
            err << "quillmap-import: only one site folder or sitemap can be imported at a time\n" << Usage;
            return 2;
        }
        request.source = a;
    }
    if (request.source.empty()) {
        err << Usage;
        return 2;
    }

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
        err << withFullStop(e.what()) << "\n";
        return 1;
    }
}

}  // namespace quillmap
