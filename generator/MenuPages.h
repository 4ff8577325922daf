#pragma once
// The menu without script written into the pages of a site, between <!-- quillmap --> and
// <!-- /quillmap -->.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "generator/ScriptBuilder.h"
#include "tree/ItemTree.h"

namespace quillmap {

inline constexpr std::string_view MenuStartMarker = "<!-- quillmap -->";
inline constexpr std::string_view MenuEndMarker = "<!-- /quillmap -->";

struct MenuPagesReport {
    struct Problem {
        std::string page;  // relative to the site folder, '/'-separated
        std::string reason;
    };
    std::vector<std::string> changed;    // written, or in a dry run to be written
    std::vector<std::string> unchanged;  // marked pages that hold the menu already: not touched
    std::vector<Problem> failed;         // could not be read or written
    std::vector<Problem> skipped;        // links: never followed nor written through
};

enum class PagesMode { Write, DryRun };

// Writes the menu into every HTML page (.html, .htm, .xhtml, .shtml) of the site folder and its
// subfolders that holds the start marker, right after the first one, up to the end marker (added
// after the menu when the page has none). Only the bytes between the markers change: the page's
// encoding, line ends and byte order mark stay; the menu is written UTF-8 into a UTF-8 page and
// as character references into a page of any other charset. A page that would not change is not
// written, a page without the marker is never opened for writing, links (files or folders) are
// not followed, and the menu folder's own generated pages are left alone. Each page is saved
// safely (saveTextFile); one that fails is reported and the others are still written. Throws
// quillmap::Error for an empty tree or a site folder that cannot be read.
MenuPagesReport writeMenuIntoPages(const ItemTree& tree, const GlobalOptions& options,
                                   const std::filesystem::path& siteFolder, std::string_view menuInSite,
                                   PagesMode mode = PagesMode::Write);

// The page with the menu (UTF-8, CR LF lines, as PageMenu renders it) placed after its start
// marker; nothing when the page holds no start marker.
std::optional<std::string> pageWithMenu(std::string_view page, std::string_view menu);

}  // namespace quillmap
