#include "cli/BuildCommand.h"

#include <filesystem>
#include <system_error>

#include "app/Error.h"
#include "app/ErrorReport.h"
#include "app/MessageTexts.h"
#include "generator/MenuBuild.h"
#include "project/ProjectData.h"

namespace quillmap {

namespace {

const char* const Usage =
    "Usage: quillmap-build PROJECT.qmp [--out DIR]\n"
    "\n"
    "Builds the tree menu of a Quillmap project file: writes Quillnav.js and Quillnavstyle.css\n"
    "exactly as the Build button does.\n"
    "\n"
    "  --out DIR    write the menu into DIR (created when missing) together with a copy of the\n"
    "               test page and the tree images, so DIR holds a complete working menu;\n"
    "               without it the menu goes into the out folder beside the program\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n";

const char* const ProgramVersion = "2.0";

struct Request {
    std::string project;
    std::string outFolder;
};

}  // namespace

std::string programFolder(const std::string& argv0)
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) exe = std::filesystem::absolute(argv0, ec);
    std::string folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != std::filesystem::path::preferred_separator)
        folder += std::filesystem::path::preferred_separator;
    return folder;
}

int runBuildCommand(const std::vector<std::string>& arguments, const std::string& appFolder, std::ostream& out,
                    std::ostream& err)
{
    Request request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") {
            out << Usage;
            return 0;
        }
        if (a == "--version") {
            out << "quillmap-build " << ProgramVersion << "\n";
            return 0;
        }
        if (a == "--out" || a.rfind("--out=", 0) == 0) {
            if (a == "--out") {
                if (i + 1 >= arguments.size()) {
                    err << "quillmap-build: --out needs a folder\n" << Usage;
                    return 2;
                }
                request.outFolder = arguments[++i];
            } else {
                request.outFolder = a.substr(6);
            }
            continue;
        }
        if (!a.empty() && a[0] == '-') {
            err << "quillmap-build: unknown option " << a << "\n" << Usage;
            return 2;
        }
        if (!request.project.empty()) {
            err << "quillmap-build: only one project file can be built at a time\n" << Usage;
            return 2;
        }
        request.project = a;
    }
    if (request.project.empty()) {
        err << Usage;
        return 2;
    }

    const MessageTexts texts;
    try {
        ProjectData project;
        const ReadOutcome outcome = readProjectData(request.project, project);
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
        const std::string shipped = OutFolderOf(appFolder);
        std::string target = shipped;
        if (!request.outFolder.empty()) {
            std::error_code ec;
            std::filesystem::create_directories(request.outFolder, ec);
            if (ec) throw Error("Cannot create folder " + request.outFolder);
            target = request.outFolder;
            if (!std::filesystem::equivalent(target, shipped, ec)) CopyShippedFiles(shipped, target);
        }
        BuildMenu(project.tree, project.options, project.options.look, target);
        out << "Menu written to " << JoinPath(target, ScriptFileName) << " and "
            << JoinPath(target, StyleSheetFileName) << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << withFullStop(e.what()) << "\n";
        return 1;
    }
}

}  // namespace quillmap
