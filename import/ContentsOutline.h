#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/ImportReport.h"
#include "import/SiteOutline.h"

namespace quillmap {

// An entry of a contents page: a list item (li), a term or its description (dt, dd) or a link of
// a nav element, with the first link in it and its own text (without that of entries inside it).
struct ContentsEntry {
    std::size_t parent = 0;  // the entry it lies in; the first entry stands for the page itself
    std::string link;        // as written in the page; empty when the entry has none
    std::string text;        // blanks collapsed, UTF-8
};

// The entries of a page's lists of links, in their order, every entry after the one it lies in.
// When the page marks its main part (<main>, role="main") and that part lists links, only that
// part is read: the site's header and footer lists are no contents. A dd belongs to the dt before
// it. The page is walked with a stack of its own, however deep its lists are nested.
std::vector<ContentsEntry> contentsEntries(std::string_view page);

// The outline of a site folder that follows its contents page: each entry with a page of the site
// becomes that page, or a folder linking to it when entries with pages lie in it; an entry without
// one becomes a folder captioned with its text when entries with pages lie in it, and is left out
// otherwise. A page is placed once, at its first entry; a link to a place in a page (#section)
// places the page only when no entry links to the page itself; links that leave the site place
// nothing. The site's root folder links to its index page when the contents page does not list
// it; the contents page itself comes first when it lists neither itself nor is that index page.
// The pages of scanned (a finished outline of root) that the contents page does not list follow,
// in their folders; report.unlistedPages counts them. Throws quillmap::Error when the contents
// page cannot be read.
SiteOutline outlineFromContents(const SiteOutline& scanned, const std::filesystem::path& contentsPage,
                                const std::filesystem::path& root, ImportReport& report);

// The contents page a site folder most likely has, relative to it: contents.html, toc.html or
// sitemap.html (or .htm) in the folder, else its index page when the index's lists link more than
// half of the site's pages. Nothing when there is none.
std::optional<std::string> guessContentsPage(const std::filesystem::path& site);

}  // namespace quillmap
