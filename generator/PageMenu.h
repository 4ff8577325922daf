#pragma once
// The menu without script of a site project, rendered for one page of the site at a time.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "generator/MenuEntries.h"
#include "generator/ScriptBuilder.h"
#include "generator/StaticMenu.h"

namespace quillmap {

// The tree is read and the fragment written once; each page then costs one pass over the
// fragment. Links of a site project are relative to the site folder: one with a scheme, or
// starting with "//", "/", "#" or "?", is written as it is; every other one is made relative to
// the page. The page's own entry (the first link to it; "dir/" is the same page as
// "dir/index.html") gets aria-current="page" and the folders around it open.
class PageMenu {
public:
    // menuInSite: the menu folder relative to the site folder, '/'-separated, "" for the site
    // folder itself.
    PageMenu(const MenuEntries& entries, const GlobalOptions& options, std::string_view menuInSite);

    // The menu for the page at pagePath (relative to the site folder, '/'-separated, UTF-8): the
    // link to the menu folder's Quillnavstatic.css, its Quillnavcurrent.js and the <nav>, UTF-8,
    // every line ending in CR LF.
    std::string render(std::string_view pagePath);

private:
    // A link read against the site folder.
    struct Target {
        bool relative = false;              // false: written as it is
        int ups = 0;                        // "../" beyond the site folder
        std::vector<std::string> segments;  // as written; the last is the file name, "" for a folder
        std::vector<std::string> decoded;   // the same as file names, to compare with the page's folders
        std::string rest;                   // "?query#fragment" as written
        int entry = -1;                     // the entry whose row holds the link
    };
    static Target readTarget(std::string_view href);
    std::string relativeHref(const Target& target, const std::vector<std::string>& folder) const;
    void useFolder(std::string_view folder);

    std::vector<MenuEntry> entries_;
    bool autoClose_;
    std::vector<std::string> menuSegments_;
    std::string fragment_;
    FragmentMap map_;
    std::vector<Target> targets_;  // one per Href slot, in order
    std::vector<char> startOpen_;
    std::unordered_map<std::string, std::size_t> pageLinks_;  // a page's key: its first Href slot

    std::string folder_ = "\n";           // the folder hrefs_ is made for ("\n": none yet)
    std::vector<std::string> hrefs_;      // one per Href slot, relative to folder_
    std::string toMenu_;                  // folder_ to the menu folder, ending in '/' unless empty
};

}  // namespace quillmap
