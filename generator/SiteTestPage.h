#pragma once
#include <string>

namespace quillmap {

// The test page a site build writes into its menu folder, quillmap-test.html: the script menu
// in a page of the menu folder, whose links open the site's own pages. menuInSite: the menu
// folder's place in the site, shown to the reader.
std::string SiteTestPageText(const std::string& menuInSite);

}  // namespace quillmap
