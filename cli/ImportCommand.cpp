#include "cli/ImportCommand.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

#include "text/Error.h"
#include "text/ErrorReport.h"
#include "cli/CommandLine.h"
#include "text/TextFile.h"
#include "import/SiteImporter.h"
#include "project/ProjectSite.h"
#include "project/ProjectWriter.h"

namespace quillmap {

namespace {

const char* const Usage =
    "Usage: quillmap-import [--base DIR] [--site DIR] [--toc PAGE] [--pdf] [--follow-outside]\n"
    "                       [--keep-titles] [--out PROJECT.qmp]\n"
    "                       [--] SITE_DIR_OR_SITEMAP\n"
    "\n"
    "Makes a Quillmap project of a site: a folder item per folder that holds pages, a document per\n"
    "page (.html, .htm, .xhtml, .shtml, .php), captioned with the page's title. A folder's index page\n"
    "becomes the folder's link. Given a sitemap.xml (or a sitemap index), its addresses become the\n"
    "documents, grouped into folders by their paths; sitemap.xml.gz is read as well. The menu folder\n"
    "and the files Quillmap's builds write (test pages, sample site) are left out. A site whose pages\n"
    "hold no frames gets an empty target frame: the menu's links open in place.\n"
    "\n"
    "  --base DIR   write the links relative to DIR, the folder of the page that will show the menu\n"
    "               (default: the site folder, or the sitemap's folder); it must exist unless\n"
    "               it lies in the site folder (the menu folder a build will make)\n"
    "  --site DIR   sitemaps: the local folder of the site, whose page titles become the captions\n"
    "               (default: captions from the addresses, the site's root being the sitemap's folder)\n"
    "  --toc PAGE   site folders: follow the site's table of contents page (relative to the site\n"
    "               folder, or any file): its nested lists of links (ul, ol, dl, nav) give the order\n"
    "               and the folders; an entry without a link becomes a folder, a page listed twice\n"
    "               comes at its first place; the pages it does not list follow in their folders\n"
    "  --pdf        take .pdf files as pages too\n"
    "  --follow-outside\n"
    "               follow links in the site folder that lead out of it (they are skipped and\n"
    "               reported otherwise)\n"
    "  --keep-titles\n"
    "               keep the ending or beginning most titles share (\"Tutorial - Python docs\",\n"
    "               \"Shop | Cafe Anna\"); without it the captions leave it out, and captions that\n"
    "               become equal get their folder's caption in brackets\n"
    "  --out FILE   write the project to FILE (default: standard output, which quillmap-build -\n"
    "               reads); the project records the site folder, with the menu folder \"menu\" in it,\n"
    "               when the links are relative to the site folder (no other --base)\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n";

const char* const ProgramVersion = "2.0";

struct Request {
    std::string source;
    std::string base;
    std::string site;
    std::string out;
    std::string contents;
    bool withPdf = false;
    bool followOutside = false;
    bool keepTitles = false;
};

bool isSitemapFile(const std::string& source)
{
    std::error_code ec;
    const std::filesystem::path path = pathFromText(source);
    return std::filesystem::exists(path, ec) && !std::filesystem::is_directory(path, ec);
}

// Whether path lies in folder (or is it), both made absolute and free of links as far as they exist.
bool liesIn(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
    const std::filesystem::path f = std::filesystem::weakly_canonical(std::filesystem::absolute(folder, ec), ec);
    const std::filesystem::path relative = p.lexically_relative(f);
    return !relative.empty() && *relative.begin() != "..";
}

// A mistyped --site or --base would give a project whose every link is broken: the reason to
// refuse it, or nothing. A base may be a folder of the site that is not there yet (the menu
// folder the build will make).
std::string folderRefusal(const Request& request)
{
    const std::filesystem::path source = pathFromText(request.source);
    const std::filesystem::path siteFolder = !request.site.empty() ? pathFromText(request.site)
                                             : isSitemapFile(request.source) ? std::filesystem::absolute(source).parent_path()
                                                                             : source;
    for (const auto& [option, text] : {std::pair{"--site", &request.site}, std::pair{"--base", &request.base}}) {
        const std::filesystem::path folder = pathFromText(*text);
        std::error_code ec;
        if (text->empty() || std::filesystem::is_directory(folder, ec)) continue;
        if (std::filesystem::exists(folder, ec)) return std::string(option) + " " + *text + ": is no folder";
        if (std::string_view(option) == "--base" && liesIn(folder, siteFolder) && std::filesystem::is_directory(siteFolder, ec)) continue;
        return std::string(option) + " " + *text + ": no such folder";
    }
    return {};
}

std::filesystem::path absoluteFolder(const std::filesystem::path& folder)
{
    std::error_code ec;
    return std::filesystem::weakly_canonical(std::filesystem::absolute(folder, ec), ec);
}

// The site folder a project written with --out records: the folder imported, or a sitemap's
// --site folder, when the links are relative to it (no other --base). None otherwise.
std::optional<std::filesystem::path> recordedSite(const Request& request)
{
    if (request.out.empty()) return std::nullopt;
    const bool sitemap = isSitemapFile(request.source);
    if (sitemap && request.site.empty()) return std::nullopt;
    const std::filesystem::path site = absoluteFolder(pathFromText(sitemap ? request.site : request.source));
    if (!request.base.empty() && absoluteFolder(pathFromText(request.base)) != site) return std::nullopt;
    return site;
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
                                    {"--out", "a value", &request.out},
                                    {"--toc", "a value", &request.contents}},
                                   {{"--pdf", &request.withPdf}, {"--follow-outside", &request.followOutside}, {"--keep-titles", &request.keepTitles}},
                                   &request.source,
                                   "only one site folder or sitemap can be imported at a time"};
    if (const auto status = parseCommandLine(syntax, arguments, out, err)) return *status;
    if (!request.contents.empty() && isSitemapFile(request.source)) {
        err << "quillmap-import: --toc: only a site folder is imported with its contents page\n";
        return 2;
    }
    if (const std::string refusal = folderRefusal(request); !refusal.empty()) {
        err << "quillmap-import: " << refusal << "\n";
        return 2;
    }

    try {
        ImportOptions options;
        options.base = pathFromText(request.base);
        options.siteFolder = pathFromText(request.site);
        options.withPdf = request.withPdf;
        options.followLinksOutside = request.followOutside;
        options.keepTitles = request.keepTitles;
        options.contentsPage = pathFromText(request.contents);
        const std::optional<std::filesystem::path> site = recordedSite(request);
        if (site) options.menuFolder = *site / "menu";
        const SiteImporter importer(options);
        std::optional<ImportResult> result = isSitemapFile(request.source) ? importer.importSitemap(pathFromText(request.source))
                                                                           : importer.importFolder(pathFromText(request.source));
        if (!result) return 1;
        ProjectOptions projectOptions;
        if (result->withoutFrames) projectOptions.targetFrame.clear();
        if (site) projectOptions.site = storedSite(*site, *site / "menu", projectFolderOf(pathFromText(request.out)));
        std::ostream& report = request.out.empty() ? err : out;
        if (request.out.empty())
            out << projectText(*result->items, projectOptions) << std::flush;
        else
            saveProjectFile(pathFromText(request.out), *result->items, projectOptions);
        report << result->report.summary() << "\n";
        if (!out) throw Error("Stream write error");
        return 0;
    } catch (const std::exception& e) {
        err << reportText(e.what()) << "\n";
        return 1;
    }
}

}  // namespace quillmap
