#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quillmap {

enum class SkipReason {
    Hidden,       // a name starting with '.'
    EmptyFolder,  // no page in it or below it
    LinkLoop,     // a symbolic link to a folder already walked
    OutsideSite,  // a symbolic link that leads out of the site folder
    Unreadable,   // cannot be opened or read, or a broken link
    NotAFile,     // a page name on a device, pipe or socket
    NotAPage,     // binary content under a page name
    OtherSite,    // a sitemap address on another host
    BadAddress,   // a sitemap entry that is no web address
    Duplicate,    // an address listed twice
    NotLocal,     // a sitemap of a sitemap index with no local file
    TooDeep,      // a sitemap address with more path segments than MaxAddressDepth
    OwnFile,      // a file or folder that a Quillmap build wrote (the menu, its test pages)
};

struct SkippedEntry {
    std::string name;  // path or address as the user knows it
    SkipReason reason;
    std::string detail;
};

// A name or address from imported or checked data as a report may show it on a terminal:
// control characters, which would work there (retitle it, clear it, move the cursor), are written
// as \xNN, or \u0080 to \u009F for those of UTF-8.
std::string visibleText(const std::string& text);

// What an import added and what it left out, and why.
struct ImportReport {
    std::size_t pages = 0;
    std::size_t folders = 0;
    std::vector<SkippedEntry> skipped;
    // What was left out of the captions, UTF-8: the beginning and the ending most titles share.
    std::vector<std::string> removedFromTitles;
    // With a contents page: how many pages it does not list (placed after its entries).
    std::optional<std::size_t> unlistedPages;

    void skip(std::string name, SkipReason reason, std::string detail = {})
    {
        skipped.push_back({std::move(name), reason, std::move(detail)});
    }
    std::size_t count(SkipReason reason) const;

    // "Added 12 pages in 3 folders." and one line per kind of skip with its first few names, their
    // control characters written visibly (\x1B), so that they cannot work on a terminal.
    std::string summary() const;
};

}  // namespace quillmap
