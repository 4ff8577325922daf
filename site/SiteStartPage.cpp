#include "site/SiteStartPage.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "text/TextFile.h"
#include "generator/MenuBuild.h"
#include "generator/MenuPages.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {

// Read in pieces: a large page is not held whole for one look.
bool holdsMarker(const fs::path& page)
{
    std::ifstream in(page, std::ios::binary);
    if (!in) return false;
    const std::string_view marker = MenuStartMarker;
    std::string window;
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        window.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (window.find(marker) != std::string::npos) return true;
        window.erase(0, window.size() - std::min(window.size(), marker.size() - 1));
    }
    return false;
}

}  // namespace

fs::path siteStartPage(const SiteFolders& site)
{
    const fs::path testPage = site.menu / SiteTestPageFileName;
    if (!site.startPage.empty()) return fileExists(site.startPage) ? site.startPage : testPage;
    const fs::path index = site.site / "index.html";
    return fileExists(index) && holdsMarker(index) ? index : testPage;
}

}  // namespace quillmap
