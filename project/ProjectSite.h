#pragma once
// The site a project's menu belongs to: the folder of its pages and the folder inside it that the
// menu is built into. Links of a site project are relative to the site folder.
#include <filesystem>
#include <string>

namespace quillmap {

// As stored in the project file: folders '/'-separated, relative to the project file's folder
// where possible (so a project moved together with its site keeps working), else absolute. An
// empty siteFolder: the project has no site.
struct ProjectSite {
    std::string siteFolder;
    std::string menuFolder = "menu";  // relative to the site folder when inside it
    bool writePages = false;          // Build also writes the menu into the site's marked pages
    std::string startPage;            // the page Build and Test opens, relative to the site folder

    bool empty() const { return siteFolder.empty(); }
    bool operator==(const ProjectSite&) const = default;
};

// A site with its folders resolved to absolute paths.
struct SiteFolders {
    std::filesystem::path site;
    std::filesystem::path menu;
    // The menu folder relative to the site folder, '/'-separated, "" when they are one folder.
    std::string menuInSite;
    std::filesystem::path startPage;  // empty when none is named
};

// Resolves a stored site against the folder of its project file (for a project read from
// standard input: the working directory). Throws quillmap::Error when the menu folder does not
// lie inside the site folder, since the menu's links could then not be made relative to it.
SiteFolders resolveSite(const ProjectSite& site, const std::filesystem::path& projectFolder);

// The stored form of absolute folders, relative to projectFolder where possible: always when the
// project lies in the site or the site near the project, never across drives or when the two
// meet only at the file system's root.
ProjectSite storedSite(const std::filesystem::path& siteFolder, const std::filesystem::path& menuFolder,
                       const std::filesystem::path& projectFolder);

// The same site stored for a project file in another folder (Save As, a first save).
ProjectSite relocateSite(const ProjectSite& site, const std::filesystem::path& fromFolder,
                         const std::filesystem::path& toFolder);

// Where a build or a check finds a project's folders: the project file's own folder, or the
// working directory for "-" (standard input).
std::filesystem::path projectFolderOf(const std::filesystem::path& projectFile);

}  // namespace quillmap
