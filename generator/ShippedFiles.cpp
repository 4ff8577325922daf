#include "generator/ShippedFiles.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>

#include "generator/MenuBuild.h"
#include "tree/ItemTree.h"
#include "tree/TMyRec.h"
#include "text/Error.h"
#include "text/TextFile.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {

// The regular files at the top of shipped and under its subfolders named in topFolders, relative to
// it, sorted. Linked folders are not entered (they could lead anywhere, round in a circle
// included), nor is target.
std::vector<fs::path> shippedFiles(const fs::path& shipped, const fs::path& target, const std::vector<std::string>& topFolders)
{
    std::vector<fs::path> files;
    std::vector<fs::path> folders{fs::path()};
    while (!folders.empty()) {
        const fs::path relative = folders.back();
        folders.pop_back();
        const fs::path folder = shipped / relative;
        std::error_code ec;
        fs::directory_iterator it(folder, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            const fs::path name = relative / it->path().filename();
            std::error_code kind;
            const fs::file_status own = it->symlink_status(kind);
            if (fs::is_directory(own)) {
                const bool wanted = !relative.empty() || std::find(topFolders.begin(), topFolders.end(),
                                                                   pathText(it->path().filename())) != topFolders.end();
                if (wanted && !fs::equivalent(it->path(), target, kind)) folders.push_back(name);
            } else if (fs::is_regular_file(it->status(kind)) && !IsGeneratedFile(name)) {
                files.push_back(name);
            }
        }
        if (ec) throw Error("Cannot open folder " + pathText(folder));
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Makes the folders of relative below target as needed. False when one of them is taken by a link
// or by something that is no folder: nothing may be written there.
bool makeFolders(const fs::path& target, const fs::path& relative)
{
    fs::path folder = target;
    for (const fs::path& part : relative) {
        folder /= part;
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(folder, ec);
        if (fs::is_directory(status)) continue;
        if (fs::exists(status)) return false;
        if (!fs::create_directory(folder, ec) && !fs::is_directory(fs::symlink_status(folder, ec)))
            throw Error("Cannot create folder " + pathText(folder));
    }
    return true;
}

std::string reportName(const fs::path& relative)
{
    std::string name = pathText(relative);
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

}  // namespace

ShippedFilesReport addMissingShippedFiles(const std::string& shippedText, const std::string& targetText,
                                          const std::vector<std::string>& folders)
{
    const fs::path shipped = pathFromText(shippedText);
    const fs::path target = pathFromText(targetText);
    std::error_code ec;
    fs::create_directories(target, ec);
    if (!fs::is_directory(target, ec)) throw Error("Cannot create folder " + targetText);

    ShippedFilesReport report;
    for (const fs::path& relative : shippedFiles(shipped, target, folders)) {
        const bool added = makeFolders(target, relative.parent_path()) &&
                           saveNewTextFile(target / relative, readWholeFile(shipped / relative));
        (added ? report.added : report.kept).push_back(reportName(relative));
    }
    return report;
}

std::vector<std::string> linkedShippedFolders(const std::string& shippedText, const ItemTree& tree)
{
    std::vector<std::string> folders;
    std::set<std::string> asked;  // each first segment is looked up on disk once, not once a link
    const fs::path shipped = pathFromText(shippedText);
    tree.forEach([&](Node* node, int) {
        const TMyRec* record = node->record();
        if (!record) return;
        std::string_view link = record->URL;
        while (link.starts_with("./") || link.starts_with(".\\")) link.remove_prefix(2);
        const std::size_t end = link.find_first_of("/\\");
        if (end == std::string_view::npos || end == 0) return;
        // A scheme (http:, mailto:) or a drive letter ends before the first slash.
        const std::string first(link.substr(0, end));
        if (first.find(':') != std::string::npos || first == "." || first == "..") return;
        if (!asked.insert(first).second) return;
        std::error_code ec;
        if (fs::is_directory(fs::symlink_status(shipped / pathFromText(first), ec))) folders.push_back(first);
    });
    return folders;
}

}  // namespace quillmap
