#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quillmap {

// A site as folders and pages, before they become items.
struct OutlinePage {
    std::string name;         // file name or last address segment (decoded), for order and caption
    std::string link;         // the item's link, relative to the base
    std::string titleSource;  // local file whose title is the caption; empty: a caption from name
    std::string file;         // the local file as walked, when the page is one
};

struct OutlineFolder {
    std::string name;
    std::string place;                 // where it is, for the report: a path or an address
    std::optional<OutlinePage> index;  // the folder's own page: its link and its caption
    std::vector<std::size_t> folders;  // positions in SiteOutline::folders
    std::vector<OutlinePage> pages;
    bool holdsPages = false;           // a page here or in a folder below
    bool nameIsCaption = false;        // without an index title the caption is name as it is
    // Subfolders and pages in one order, each true for the next subfolder and false for the next
    // page; empty: the subfolders first, then the pages.
    std::vector<bool> mixedOrder;
};

struct SiteOutline {
    std::vector<OutlineFolder> folders;  // the site's root folder first; a folder before those below it

    std::size_t add(std::string name, std::string place)
    {
        folders.push_back({});
        folders.back().name = std::move(name);
        folders.back().place = std::move(place);
        return folders.size() - 1;
    }
};

}  // namespace quillmap
