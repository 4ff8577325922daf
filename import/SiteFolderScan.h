#pragma once
#include <array>
#include <filesystem>
#include <functional>

#include "import/ImportReport.h"
#include "import/SiteOutline.h"

namespace quillmap {

// The endings of the file names an import takes as pages, in the order a server prefers them as a
// folder's index page (index.html before index.htm ...).
inline constexpr std::array<const char*, 5> PageExtensions{".html", ".htm", ".xhtml", ".shtml", ".php"};

// The file names an import takes as pages, compared without regard to case.
bool isPageFileName(const std::string& name, bool withPdf);

// Whether path lies in folder or is it, both free of links (as fs::canonical gives them).
bool liesIn(const std::filesystem::path& path, const std::filesystem::path& folder);

// Finds the folder's index page (index.html, .htm, .xhtml, .shtml or .php, in that preference)
// among its pages and makes it the folder's own page.
void takeIndexPage(OutlineFolder& folder);

struct ScanOptions {
    bool withPdf = false;
    // Follow links to folders and pages outside the site folder; without it they are reported.
    bool followLinksOutside = false;
    // A folder left out with everything in it, free of links: the project's menu folder.
    std::filesystem::path menuFolder;
};

// Walks a site folder into an outline: a folder per directory, a page per page file, with links
// relative to base. Linked folders are walked after every real one, in order of their names, so
// a real folder always keeps its own name. Hidden entries, links to folders already walked, links
// out of the site folder (unless followed), unreadable entries and page names on things that are
// not files, the menu folder and the files Quillmap's builds wrote are left out and reported,
// each under its own name. keepGoing is asked once per
// directory; when it answers false the walk stops. Throws "Cannot open folder %s" when root
// cannot be read.
SiteOutline scanSiteFolder(const std::filesystem::path& root, const std::filesystem::path& base,
                           const ScanOptions& options, ImportReport& report, const std::function<bool()>& keepGoing);

// Sorts every folder's subfolders and pages in natural order of their names (unless sort is
// false), marks the folders that hold pages and leaves out and reports the topmost of those that
// hold none.
void finishOutline(SiteOutline& outline, ImportReport& report, bool sort = true);

}  // namespace quillmap
