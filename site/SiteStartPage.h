#pragma once
#include <filesystem>

#include "project/ProjectSite.h"

namespace quillmap {

// The page Build and Test opens for a site: the start page named in the project (when it is
// missing: the menu folder's test page); with none named the site's index.html when it holds the
// marker, else the test page.
std::filesystem::path siteStartPage(const SiteFolders& site);

}  // namespace quillmap
