#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "import/LinkAddress.h"

namespace quillmap {

// Checks local links against a site folder, finding each file as the browser would from the
// page that shows the menu, which lies in that folder. Each file is looked up, and each page
// parsed, once however many links lead to it. A file or folder reached through a symbolic link
// that leads out of the site folder is not looked into.
class LocalLinkCheck {
public:
    // Pages larger than this are not parsed for the places a fragment names: a parse takes
    // some twenty times the page's size.
    static constexpr std::uintmax_t MaxParsedPageSize = std::uintmax_t{16} << 20;

    // Throws "Cannot open folder %s" when the site folder is no folder.
    explicit LocalLinkCheck(const std::filesystem::path& siteFolder);

    // Reads the pages whose places the links' fragments name, so that problem() finds them read:
    // pages up to 1 MB on every core, larger ones one at a time. Optional: problem() reads a page
    // it needs itself.
    void readPages(const std::vector<LinkAddress>& links);

    // Why the browser would not find what the link names ("no such file", "a folder without an
    // index page", a fragment that names no place in the page, a link leaving the site folder);
    // empty when it would.
    std::string problem(const LinkAddress& link);

private:
    struct Target {
        std::string problem;
        std::filesystem::path page;  // the file shown: the file itself or the folder's index page
    };
    // The file a link leads to, or why there is none.
    const Target& find(const LinkAddress& link);
    // The target of a path inside the site folder: decoded segments joined by '/', empty for
    // the site folder itself.
    const Target& target(const std::string& inside, bool wantsFolder);
    // The page whose places the link's fragment names; empty when there is none to look into.
    std::filesystem::path pageToSearch(const LinkAddress& link);
    // Whether a path inside the site folder leads out of it through a symbolic link.
    bool leadsOut(const std::filesystem::path& path) const;

    // The places of a page, or why they are not known.
    struct Places {
        std::unordered_set<std::string> names;
        std::string problem;
    };
    static Places placesOf(const std::filesystem::path& page);

    std::filesystem::path site_;
    std::filesystem::path resolvedSite_;  // the site folder free of links
    std::unordered_map<std::string, Target> targets_;
    std::unordered_map<std::string, Places> anchors_;
};

}  // namespace quillmap
