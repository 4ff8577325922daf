#include "cli/BuildCommand.h"

#include <filesystem>
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
#include "project/ProjectData.h"

namespace quillmap {

namespace {

const char* const Usage =
    "Usage: quillmap-build PROJECT.qmp [--out DIR]\n"
    "\n"
    "Builds the tree menu of a Quillmap project file exactly as the Build button does: writes\n"
    "the script menu Quillnav.js with its stylesheet Quillnavstyle.css, and the same menu\n"
    "without script: Quillnav.html (to paste into a page), its stylesheet Quillnavstatic.css,\n"
    "Quillnavcurrent.js (optional, marks the current page) and the test page static.html.\n"
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
    Request request;
    const CommandLineSyntax syntax{"quillmap-build", ProgramVersion, Usage,
                                   {{"--out", "a folder", &request.outFolder}}, {}, &request.project,
                                   "only one project file can be built at a time"};
    if (const auto status = parseCommandLine(syntax, arguments, out, err)) return *status;

    const MessageTexts texts;
    try {
        ProjectData project;
        const ReadOutcome outcome = readProjectData(pathFromText(request.project), project);
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
        const std::filesystem::path shipped = OutFolderOf(appFolder);
        std::filesystem::path target = shipped;
        if (!request.outFolder.empty()) {
            target = pathFromText(request.outFolder);
            std::error_code ec;
            std::filesystem::create_directories(target, ec);
            if (ec) throw Error("Cannot create folder " + request.outFolder);
            if (!std::filesystem::equivalent(target, shipped, ec)) CopyShippedFiles(shipped, target);
        }
        BuildMenu(project.tree, project.options, project.options.look, target);
        out << "Menu written to " << pathText(JoinPath(target, ScriptFileName)) << " and "
            << pathText(JoinPath(target, StyleSheetFileName)) << "; without script to "
            << pathText(JoinPath(target, StaticMenuFileName)) << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << reportText(e.what()) << "\n";
        return 1;
    }
}

}  // namespace quillmap
