#pragma once
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "import/WebLinkCheck.h"

namespace quillmap {

struct LinkCheckOptions {
    // The folder of the page that shows the menu: local links are found from there.
    std::filesystem::path siteFolder;
    // Also ask the servers of http: and https: links.
    bool online = false;
    WebCheckOptions web;
};

// An item's link as UTF-8, and whether the item is a document, whose link must not be empty.
struct LinkToCheck {
    std::string link;
    bool isDocument = false;
};

enum class LinkVerdict { NoLink, Good, Broken, NotChecked };

struct LinkOutcome {
    LinkVerdict verdict = LinkVerdict::NoLink;
    // Broken: why; NotChecked: what kind of link it is ("a mailto: link").
    std::string reason;
};

// Checks the links, one outcome per link in the same order. Every web address is asked once
// however many items share it. progress(done, total), asked now and then, stops the check when
// it returns false; the result is then empty. Throws "Cannot open folder %s" when the site folder
// is no folder.
std::optional<std::vector<LinkOutcome>> checkLinks(
    const std::vector<LinkToCheck>& links, const LinkCheckOptions& options,
    const std::function<bool(std::size_t done, std::size_t total)>& progress = {});

}  // namespace quillmap
