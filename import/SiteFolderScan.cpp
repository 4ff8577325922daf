#include "import/SiteFolderScan.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <set>

#include "text/Error.h"
#include "text/TextFile.h"
#include "import/AsciiText.h"
#include "import/NaturalOrder.h"
#include "import/QuillmapFiles.h"
#include "import/RelativeLink.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

struct PendingFolder {
    fs::path path;      // as walked, through any links
    fs::path resolved;  // without links, to recognise a folder reached twice
    std::size_t folder;
};

// A link to a folder, walked only once every real folder has been: a real folder always wins
// over a link to it, and links are taken in order of their names, whatever the directory order.
struct LinkedFolder {
    fs::path path;
    std::string name;
    std::size_t parent;
};

}  // namespace

bool liesIn(const fs::path& path, const fs::path& root)
{
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++p) {
        if (r->empty() && std::next(r) == root.end()) break;  // a root given with a final separator
        if (p == path.end() || *p != *r) return false;
    }
    return true;
}

bool isPageFileName(const std::string& name, bool withPdf)
{
    const std::string l = asciiLower(name);
    for (const char* extension : PageExtensions)
        if (endsWith(l, extension)) return true;
    return withPdf && endsWith(l, ".pdf");
}

void takeIndexPage(OutlineFolder& folder)
{
    for (const char* extension : PageExtensions) {
        const std::string wanted = std::string("index") + extension;
        const auto it = std::find_if(folder.pages.begin(), folder.pages.end(),
                                     [&](const OutlinePage& p) { return asciiLower(p.name) == wanted; });
        if (it == folder.pages.end()) continue;
        folder.index = std::move(*it);
        folder.pages.erase(it);
        return;
    }
}

SiteOutline scanSiteFolder(const fs::path& root, const fs::path& base, const ScanOptions& options,
                           ImportReport& report, const std::function<bool()>& keepGoing)
{
    SiteOutline outline;
    std::error_code ec;
    if (!fs::is_directory(root, ec)) throw Error("Cannot open folder " + root.string());
    const fs::path resolvedRoot = fs::weakly_canonical(root, ec);
    std::set<fs::path> walked{resolvedRoot};
    std::vector<PendingFolder> pending{{root, resolvedRoot, outline.add(resolvedRoot.filename().string(), "./")}};
    std::map<std::string, LinkedFolder> linkedFolders;  // by the name the user knows
    const auto leavesSite = [&](const fs::path& resolved) {
        return !options.followLinksOutside && !liesIn(resolved, resolvedRoot);
    };

    while (!pending.empty() || !linkedFolders.empty()) {
        if (keepGoing && !keepGoing()) break;
        if (pending.empty()) {
            const auto first = linkedFolders.begin();
            const LinkedFolder link = std::move(first->second);
            const std::string name = first->first;
            linkedFolders.erase(first);
            std::error_code linkError;
            fs::path resolved = fs::canonical(link.path, linkError);
            if (linkError) {
                report.skip(name, SkipReason::Unreadable, linkError.message());
            } else if (leavesSite(resolved)) {
                report.skip(name, SkipReason::OutsideSite);
            } else if (resolved == options.menuFolder) {
                report.skip(name, SkipReason::OwnFile);
            } else if (!walked.insert(resolved).second) {
                report.skip(name, SkipReason::LinkLoop);
            } else {
                const std::size_t child = outline.add(link.name, name);
                outline.folders[link.parent].folders.push_back(child);
                pending.push_back({link.path, std::move(resolved), child});
            }
            continue;
        }
        const PendingFolder here = std::move(pending.back());
        pending.pop_back();
        const fs::path display = here.path.lexically_relative(root);
        const auto nameFor = [&](const std::string& name) { return pathText((display / pathFromText(name)).lexically_normal()); };

        fs::directory_iterator entries(here.path, ec);
        if (ec) {
            if (here.folder == 0) throw Error("Cannot open folder " + root.string());
            report.skip(display.string() + "/", SkipReason::Unreadable, ec.message());
            continue;
        }
        const std::string prefix = folderLinkPrefix(base, here.path);
        for (; entries != fs::directory_iterator(); entries.increment(ec)) {
            if (ec) break;
            const fs::directory_entry& entry = *entries;
            const std::string name = entry.path().filename().string();
            if (name.empty()) continue;
            if (name[0] == '.') {
                report.skip(nameFor(name), SkipReason::Hidden);
                continue;
            }
            std::error_code statError;
            const bool isLink = entry.is_symlink(statError);
            const fs::file_status status = entry.status(statError);
            if (statError) {
                if (isPageFileName(name, options.withPdf) || isLink)
                    report.skip(nameFor(name), SkipReason::Unreadable, statError.message());
                continue;
            }
            if (fs::is_directory(status)) {
                if (!isLink && (here.resolved / entry.path().filename() == options.menuFolder || isQuillmapFolder(here.path, name))) {
                    report.skip(nameFor(name) + "/", SkipReason::OwnFile);
                } else if (isLink) {
                    linkedFolders.insert({nameFor(name) + "/", {entry.path(), name, here.folder}});
                } else if (walked.insert(here.resolved / entry.path().filename()).second) {
                    const std::size_t child = outline.add(name, nameFor(name) + "/");
                    outline.folders[here.folder].folders.push_back(child);
                    pending.push_back({entry.path(), here.resolved / entry.path().filename(), child});
                }
            } else if (isPageFileName(name, options.withPdf)) {
                if (!fs::is_regular_file(status)) {
                    report.skip(nameFor(name), SkipReason::NotAFile);
                    continue;
                }
                if (isLink && leavesSite(fs::canonical(entry.path(), statError))) {
                    report.skip(nameFor(name), SkipReason::OutsideSite);
                    continue;
                }
                if (isQuillmapPage(here.path, name)) {
                    report.skip(nameFor(name), SkipReason::OwnFile);
                    continue;
                }
                const bool readTitle = !endsWith(asciiLower(name), ".pdf");
                outline.folders[here.folder].pages.push_back(
                    {name, relativeLinkText(prefix + encodeLinkSegment(name)),
                     readTitle ? entry.path().string() : std::string(), entry.path().string()});
            }
        }
        if (ec) report.skip(display.string() + "/", SkipReason::Unreadable, ec.message());
        takeIndexPage(outline.folders[here.folder]);
    }
    return outline;
}

void finishOutline(SiteOutline& outline, ImportReport& report, bool sort)
{
    const auto byName = [](const OutlinePage& a, const OutlinePage& b) { return naturalLess(a.name, b.name); };
    // Every folder comes before those below it, so going backwards sees the children first.
    for (std::size_t i = outline.folders.size(); i-- > 0;) {
        OutlineFolder& folder = outline.folders[i];
        folder.holdsPages = folder.index || !folder.pages.empty();
        for (const std::size_t child : folder.folders) folder.holdsPages |= outline.folders[child].holdsPages;
        if (!sort) continue;
        std::sort(folder.pages.begin(), folder.pages.end(), byName);
        std::sort(folder.folders.begin(), folder.folders.end(), [&](std::size_t a, std::size_t b) {
            return naturalLess(outline.folders[a].name, outline.folders[b].name);
        });
    }
    for (OutlineFolder& folder : outline.folders) {
        if (!folder.holdsPages) continue;
        std::vector<bool> order;
        std::size_t nextFolder = 0;
        for (const bool isFolder : folder.mixedOrder)
            if (!isFolder || outline.folders[folder.folders[nextFolder++]].holdsPages) order.push_back(isFolder);
        folder.mixedOrder = std::move(order);
        std::erase_if(folder.folders, [&](std::size_t child) {
            if (outline.folders[child].holdsPages) return false;
            report.skip(outline.folders[child].place, SkipReason::EmptyFolder);
            return true;
        });
    }
}

}  // namespace quillmap
