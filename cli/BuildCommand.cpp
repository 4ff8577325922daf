#include "cli/BuildCommand.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "text/Error.h"
#include "text/ErrorReport.h"
#include "text/MessageTexts.h"
#include "text/TextFile.h"
#include "cli/CommandLine.h"
#include "generator/MenuBuild.h"
#include "generator/MenuPages.h"
#include "generator/OutFolder.h"
#include "generator/ShippedFiles.h"
#include "generator/StaticMenu.h"
#include "project/ProjectData.h"

namespace quillmap {

namespace {

#ifdef _WIN32
#define QUILLMAP_USER_OUT "%LOCALAPPDATA%\\Quillmap\\out"
#else
#define QUILLMAP_USER_OUT "~/.local/share/quillmap/out"
#endif

const char* const Usage =
    "Usage: quillmap-build [--out DIR] [--] PROJECT.qmp\n"
    "       quillmap-build --pages [--dry-run] [--] PROJECT.qmp\n"
    "\n"
    "Builds the tree menu of a Quillmap project file exactly as the Build button does: writes\n"
    "the script menu Quillnav.js with its stylesheet Quillnavstyle.css, and the same menu\n"
    "without script: Quillnav.html (to paste into a page), its stylesheet Quillnavstatic.css,\n"
    "Quillnavcurrent.js (optional, marks the current page) and the test page static.html.\n"
    "A PROJECT of - reads the project from standard input.\n"
    "\n"
    "A project with a site (set in the window's Site dialog, or by quillmap-import) is built\n"
    "into its menu folder: only the menu's own files, the tree pictures it lacks and the test\n"
    "page quillmap-test.html; never a page of the site.\n"
    "\n"
    "  --pages      after the build, write the menu without script into every page of the site\n"
    "               holding the comment <!-- quillmap -->: right after it, up to <!-- /quillmap -->\n"
    "               (added the first time), with links relative to the page and its own entry\n"
    "               marked; the rest of the page stays byte for byte, an unchanged page is not\n"
    "               written, a page that is a link is skipped. Prints each page written and a\n"
    "               summary; exit status 1 when a page could not be written (the others are),\n"
    "               2 for a project without a site\n"
    "  --dry-run    with --pages: build and write nothing, list the pages that would change\n"
    "  --out DIR    write the menu into DIR, also for a project with a site (created when missing) and add the test page and the\n"
    "               tree images where DIR lacks them, so DIR holds a complete working menu; files\n"
    "               already in DIR are kept, never replaced; without --out the menu goes into the\n"
    "               program's out folder or, when the program is installed or that folder cannot be\n"
    "               written, into the user's own, " QUILLMAP_USER_OUT "\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n";

const char* const ProgramVersion = "2.0";

// The project given as "-": standard input, read whole, as large as a project file may be.
std::string readStandardInput(std::istream& in)
{
    std::string text;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > MaxTextFileSize)
            throw Error("Cannot open file -: the standard input is larger than 256 MB");
    }
    if (in.bad()) throw Error("Cannot open file -");
    return text;
}

void reportKept(std::ostream& out, const std::vector<std::string>& kept)
{
    if (kept.empty()) return;
    out << "Kept, not replaced by the shipped ones:";
    for (const std::string& name : kept) out << " " << name;
    out << "\n";
}

struct Request {
    std::string project;
    std::string outFolder;
    bool pages = false;
    bool dryRun = false;
};

// Writes the menu into the site's marked pages and reports each page; the exit status.
int writePages(const ProjectData& project, const SiteFolders& site, bool dryRun, std::ostream& out, std::ostream& err)
{
    const MenuPagesReport report = writeMenuIntoPages(project.tree, project.options, site.site, site.menuInSite,
                                                      dryRun ? PagesMode::DryRun : PagesMode::Write);
    for (const std::string& page : report.changed) out << (dryRun ? "Would write " : "Written ") << page << "\n";
    for (const MenuPagesReport::Problem& link : report.skipped) out << "Skipped " << link.page << ": " << link.reason << "\n";
    for (const MenuPagesReport::Problem& failed : report.failed)
        err << "Cannot write " << failed.page << ": " << reportText(failed.reason) << "\n";
    out << (dryRun ? "Pages that would change: " : "Pages written: ") << report.changed.size() << ", unchanged "
        << report.unchanged.size() << ", failed " << report.failed.size() << ", links skipped " << report.skipped.size()
        << " (site folder " << pathText(site.site) << ")\n";
    return report.failed.empty() ? 0 : 1;
}

}  // namespace

std::filesystem::path programFolder(const std::filesystem::path& argv0)
{
    std::error_code ec;
    std::filesystem::path exe;
#ifdef _WIN32
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) break;
        if (length < name.size()) {
            exe = name.substr(0, length);
            break;
        }
        name.resize(name.size() * 2);
    }
#else
    exe = std::filesystem::read_symlink("/proc/self/exe", ec);
#endif
    if (ec || exe.empty()) exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path();
}

int runBuildCommand(const std::vector<std::string>& arguments, const std::filesystem::path& appFolder,
                    std::ostream& out, std::ostream& err)
{
    return runBuildCommand(arguments, appFolder, std::cin, out, err);
}

int runBuildCommand(const std::vector<std::string>& arguments, const std::filesystem::path& appFolder,
                    std::istream& in, std::ostream& out, std::ostream& err)
{
    Request request;
    const CommandLineSyntax syntax{"quillmap-build", ProgramVersion, Usage,
                                   {{"--out", "a folder", &request.outFolder}},
                                   {{"--pages", &request.pages}, {"--dry-run", &request.dryRun}}, &request.project,
                                   "only one project file can be built at a time"};
    if (const auto status = parseCommandLine(syntax, arguments, out, err)) return *status;
    if ((request.dryRun && !request.pages) || (request.pages && !request.outFolder.empty())) {
        err << "quillmap-build: " << (request.dryRun && !request.pages ? "--dry-run goes only with --pages"
                                                                       : "--pages writes into the site's pages, not beside --out")
            << "\nTry 'quillmap-build --help' for more information.\n";
        return 2;
    }

    const MessageTexts texts;
    try {
        ProjectData project;
        ProjectDataTarget reader(project);
        const ReadOutcome outcome = request.project == "-"
                                        ? readProjectText(readStandardInput(in), reader)
                                        : readProjectFile(pathFromText(request.project), reader);
        if (outcome == ReadOutcome::NotAProject) {
            err << texts.notProjectFile << "\n";
            return 1;
        }
        if (outcome == ReadOutcome::NeedsNewerProgram) {
            err << texts.newerVersion << "\n";
            return 1;
        }
        if (project.tree.empty()) {
            err << texts.noItemsToBuild << "\n";
            return 1;
        }
        if (request.pages && project.options.site.empty()) {
            err << "The project has no site: set its site folder in the window's Site dialog, or import the site with "
                   "quillmap-import, to write the menu into its pages\n";
            return 2;
        }
        const std::filesystem::path shipped = OutFolderOf(appFolder);
        if (const std::string warning = StaticMenuDepthWarning(project.tree); !warning.empty()) err << warning << "\n";
        if (request.outFolder.empty() && !project.options.site.empty()) {
            const SiteFolders site = resolveSite(project.options.site, projectFolderOf(pathFromText(request.project)));
            if (request.dryRun) return writePages(project, site, true, out, err);
            const FolderFilesReport report = BuildSiteMenu(project.tree, project.options,
                                                           BuildStyleSheet(project.options.look),
                                                           {site.menu, site.menuInSite, shipped});
            out << "Menu written into the site's menu folder " << pathText(site.menu) << " ("
                << report.written.size() << " files written, " << report.unchanged.size() << " unchanged)\n";
            reportKept(out, report.kept);
            return request.pages ? writePages(project, site, false, out, err) : 0;
        }
        std::filesystem::path target;
        std::vector<std::string> kept;
        const std::vector<std::string> linked = linkedShippedFolders(pathText(shipped), project.tree);
        if (request.outFolder.empty()) {
            target = resolveOutFolder(shipped, linked);
            if (target != shipped && !installedByInstaller(appFolder))
                out << "The program's out folder " << pathText(shipped) << " cannot be written; using "
                    << pathText(target) << "\n";
        } else {
            target = pathFromText(request.outFolder);
            std::error_code ec;
            std::filesystem::create_directories(target, ec);
            if (ec) throw Error("Cannot create folder " + request.outFolder + ": " + ec.message());
            if (!std::filesystem::equivalent(target, shipped, ec))
                kept = addMissingShippedFiles(pathText(shipped), request.outFolder, linked).kept;
        }
        BuildMenu(project.tree, project.options, project.options.look, target);
        out << "Menu written to " << pathText(JoinPath(target, ScriptFileName)) << " and "
            << pathText(JoinPath(target, StyleSheetFileName)) << "; without script to "
            << pathText(JoinPath(target, StaticMenuFileName)) << "\n";
        reportKept(out, kept);
        return 0;
    } catch (const std::exception& e) {
        err << reportText(e.what()) << "\n";
        return 1;
    }
}

}  // namespace quillmap
