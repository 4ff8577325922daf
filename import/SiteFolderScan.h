#pragma once
#include <filesystem>
#include <functional>

#include "import/ImportReport.h"
#include "import/SiteOutline.h"

namespace quillmap {

// The file names an import takes as pages, compared without regard to case.
bool isPageFileName(const std::string& name, bool withPdf);

// Finds the folder's index page (index.html, .htm, .xhtml, .shtml or .php, in that preference)
// among its pages and makes it the folder's own page.
void takeIndexPage(OutlineFolder& folder);

// Walks a site folder into an outline: a folder per directory, a page per page file, with links
// relative to base. Hidden entries, links back to folders already walked, unreadable entries and
// page names on things that are not files are left out and reported. keepGoing is asked once per
// directory; when it answers false the walk stops. Throws "Cannot open folder %s" when root
// cannot be read.
SiteOutline scanSiteFolder(const std::filesystem::path& root, const std::filesystem::path& base, bool withPdf,
                           ImportReport& report, const std::function<bool()>& keepGoing);

// Sorts every folder's subfolders and pages in natural order of their names, marks the folders
// that hold pages and reports the topmost of those that hold none.
void finishOutline(SiteOutline& outline, ImportReport& report);

}  // namespace quillmap
