#pragma once
#include <filesystem>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "import/LinkAddress.h"

namespace quillmap {

// Checks local links against a site folder, finding each file as the browser would from the
// page that shows the menu, which lies in that folder. Each file is looked up, and each page
// parsed, once however many links lead to it.
class LocalLinkCheck {
public:
    // Throws "Cannot open folder %s" when the site folder is no folder.
    explicit LocalLinkCheck(const std::filesystem::path& siteFolder);

    // Why the browser would not find what the link names ("no such file", "a folder without an
    // index page", a fragment that names no place in the page, a link leaving the site folder);
    // empty when it would.
    std::string problem(const LinkAddress& link);

private:
    struct Target {
        std::string problem;
        std::filesystem::path page;  // the file shown: the file itself or the folder's index page
    };
    // The target of a path inside the site folder: decoded segments joined by '/', empty for
    // the site folder itself.
    const Target& target(const std::string& inside, bool wantsFolder);
    // The anchors of a page, or null when it cannot be read.
    const std::unordered_set<std::string>* anchors(const std::filesystem::path& page);

    std::filesystem::path site_;
    std::unordered_map<std::string, Target> targets_;
    std::unordered_map<std::string, std::unordered_set<std::string>> anchors_;
    std::unordered_set<std::string> unreadable_;
};

}  // namespace quillmap
