#pragma once
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
// parsed, once however many links lead to it.
class LocalLinkCheck {
public:
    // Throws "Cannot open folder %s" when the site folder is no folder.
    explicit LocalLinkCheck(const std::filesystem::path& siteFolder);

    // Reads, on every core, the pages whose places the links' fragments name, so that problem()
    // finds them read. Optional: problem() reads a page it needs itself.
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

    std::filesystem::path site_;
    std::unordered_map<std::string, Target> targets_;
    // The places of each page read; none for a page that cannot be read.
    std::unordered_map<std::string, std::optional<std::unordered_set<std::string>>> anchors_;
};

}  // namespace quillmap
