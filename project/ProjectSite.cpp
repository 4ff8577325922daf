#include "project/ProjectSite.h"

#include <algorithm>
#include <system_error>

#include "text/Error.h"
#include "text/TextFile.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {

std::string storedText(const fs::path& path)
{
    std::string text = pathText(path.lexically_normal());
    std::replace(text.begin(), text.end(), '\\', '/');
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

fs::path absoluteFolder(const fs::path& folder)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(folder, ec);
    absolute = (ec ? folder : absolute).lexically_normal();
    if (!absolute.has_filename() && absolute.has_relative_path()) absolute = absolute.parent_path();
    return absolute;
}

fs::path resolveAgainst(const std::string& stored, const fs::path& base)
{
    const fs::path path = pathFromText(stored);
    if (path.is_absolute() || base.empty()) return absoluteFolder(path);
    return absoluteFolder(base / path);
}

// path relative to base, when both share more than the file system's root.
std::string relativeWherePossible(const fs::path& path, const fs::path& base)
{
    if (base.empty() || path.root_name() != base.root_name()) return storedText(path);
    const fs::path relative = path.lexically_relative(base);
    if (relative.empty()) return storedText(path);
    const auto sharedParts = [&] {
        auto a = path.begin(), b = base.begin();
        int shared = 0;
        for (; a != path.end() && b != base.end() && *a == *b; ++a, ++b) ++shared;
        return shared;
    }();
    // The root's own parts ("/" or "C:" "\") meet in every pair of paths.
    const fs::path root = path.root_path();
    const int rootParts = static_cast<int>(std::distance(root.begin(), root.end()));
    if (sharedParts <= rootParts) return storedText(path);
    return storedText(relative);
}

bool inside(const fs::path& folder, const fs::path& outer)
{
    const fs::path relative = folder.lexically_relative(outer);
    return !relative.empty() && (relative.begin() == relative.end() || *relative.begin() != "..");
}

std::string trimmedSlash(std::string text)
{
    if (text == ".") return "";
    while (!text.empty() && text.back() == '/') text.pop_back();
    return text;
}

}  // namespace

SiteFolders resolveSite(const ProjectSite& stored, const fs::path& projectFolder)
{
    SiteFolders site;
    site.site = resolveAgainst(stored.siteFolder, projectFolder);
    site.menu = resolveAgainst(stored.menuFolder.empty() ? std::string(".") : stored.menuFolder, site.site);
    if (site.menu != site.site && !inside(site.menu, site.site))
        throw Error("The menu folder " + pathText(site.menu) + " does not lie inside the site folder " +
                    pathText(site.site));
    site.menuInSite = trimmedSlash(storedText(site.menu.lexically_relative(site.site)));
    if (!stored.startPage.empty()) site.startPage = resolveAgainst(stored.startPage, site.site);
    return site;
}

ProjectSite storedSite(const fs::path& siteFolder, const fs::path& menuFolder, const fs::path& projectFolder)
{
    const fs::path site = absoluteFolder(siteFolder);
    const fs::path menu = absoluteFolder(menuFolder.empty() ? site / "menu" : menuFolder);
    ProjectSite stored;
    stored.siteFolder = projectFolder.empty() ? storedText(site) : relativeWherePossible(site, absoluteFolder(projectFolder));
    if (stored.siteFolder.empty()) stored.siteFolder = ".";
    stored.menuFolder = menu == site ? "." : inside(menu, site) ? storedText(menu.lexically_relative(site)) : storedText(menu);
    return stored;
}

ProjectSite relocateSite(const ProjectSite& site, const fs::path& fromFolder, const fs::path& toFolder)
{
    if (site.empty()) return site;
    const fs::path siteFolder = resolveAgainst(site.siteFolder, fromFolder);
    ProjectSite moved = storedSite(siteFolder, resolveAgainst(site.menuFolder, siteFolder), toFolder);
    moved.writePages = site.writePages;
    moved.startPage = site.startPage;
    return moved;
}

fs::path projectFolderOf(const fs::path& projectFile)
{
    if (projectFile.empty() || projectFile == "-") return absoluteFolder(".");
    return absoluteFolder(projectFile).parent_path();
}

}  // namespace quillmap
