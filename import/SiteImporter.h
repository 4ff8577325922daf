#pragma once
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "text/TextEncoding.h"
#include "import/ImportReport.h"
#include "tree/ItemTree.h"

namespace quillmap {

struct ImportOptions {
    // The folder the links are relative to; empty: the site folder (or the sitemap's folder).
    std::filesystem::path base;
    // Sitemaps: the local folder of the site, whose pages give the captions. Empty: captions
    // come from the addresses, and the site's root address stands for the sitemap's folder.
    std::filesystem::path siteFolder;
    bool withPdf = false;
    // Site folders: follow links that lead out of the folder; without it they are skipped.
    bool followLinksOutside = false;
    // The project's menu folder, left out of a site folder's import with everything in it.
    std::filesystem::path menuFolder;
    // Site folders: the page whose lists of links give the order and nesting (relative to the
    // site folder, or any file); empty: folders and pages in natural order of their names.
    std::filesystem::path contentsPage;
    // Captions are the whole titles, with the ending or beginning most of them share.
    bool keepTitles = false;
    // The encoding of the project the captions go into.
    TextEncoding encoding = TextEncoding::Utf8;
    // Told now and then how many pages are done of how many (0 while still counting); answering
    // false cancels the import.
    std::function<bool(std::size_t done, std::size_t total)> progress;
};

struct ImportResult {
    // One top-level folder, the site's root, with everything imported below it.
    std::unique_ptr<ItemTree> items = std::make_unique<ItemTree>();
    ImportReport report;
    // The pages were read and none holds frames: the menu's links should open in place.
    bool withoutFrames = false;
};

// How many bytes of a page are read and parsed for its title at first. A page whose title, or
// whose head without a title yet, is still open at the end of them is read further, doubling
// the amount, up to MaxTitleBytes; so is one whose title is not plain ASCII while no charset has
// been seen yet, up to the 1,024 bytes in which browsers look for it.
inline constexpr std::size_t FirstTitleBytes = 512;
inline constexpr std::size_t MaxTitleBytes = 64 * 1024;

// Makes items of a site folder or a sitemap. Folders become folder items (a folder's index page
// its link and its title the caption), pages become documents captioned with their titles, or
// with their names made readable; the index first, then subfolders, then pages, each in natural
// order. Nothing is added anywhere: the caller places the result in its tree as one step.
class SiteImporter {
public:
    explicit SiteImporter(ImportOptions options) : options_(std::move(options)) {}

    // Empty when cancelled. Throws quillmap::Error when the folder cannot be read or holds no page.
    std::optional<ImportResult> importFolder(const std::filesystem::path& site) const;
    // Reads a sitemap, or a sitemap index and the local sitemaps it names. Empty when cancelled.
    // Throws quillmap::Error when the file cannot be read, is no sitemap or lists no page.
    std::optional<ImportResult> importSitemap(const std::filesystem::path& sitemap) const;

private:
    ImportOptions options_;
};

// The title of the page file, or nothing when it has none; binary content and unreadable files
// are reported as skipped with name.
std::optional<std::u32string> readPageTitle(const std::string& file, const std::string& name, ImportReport& report,
                                            bool& isPage);

}  // namespace quillmap
