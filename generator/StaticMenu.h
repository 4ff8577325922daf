#pragma once
#include <optional>
#include <string>
#include <vector>

#include "text/TextFile.h"
#include "generator/ScriptBuilder.h"
#include "tree/ItemTree.h"

namespace quillmap {

// The menu as plain HTML, for pages that run no script, for search engines and link checkers,
// and for pages under a strict Content-Security-Policy. The tree is nested lists inside
// <nav class="quillnav">: a folder is a <details> whose <summary> holds its caption (a link when
// the folder has one), a document a link with its target. Folders start open as in the script
// menu; with auto-close the folders of one parent form one group of <details name>, so opening
// one closes the others. Every image is drawn by the static stylesheet, so the fragment works in
// a page of any folder. All texts are UTF-8, whatever the project's encoding.
struct StaticMenu {
    std::string fragment;            // Quillnav.html, to put into a page's body: its whole text,
                                     // every line ending in CR LF
    Lines styleSheet;                // Quillnavstatic.css
    std::string frameName;           // the target frame's name, UTF-8, for the test page
};

// Builds the fragment and its stylesheet; projectStyleSheet (the lines of Quillnavstyle.css)
// gives the colours and link styles, applied to the menu alone.
StaticMenu BuildStaticMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& projectStyleSheet);
// Where the parts of the fragment that a page's own copy of the menu changes lie in its text, in
// the order they come.
struct FragmentMap {
    enum Kind { Href, Open };
    struct Slot {
        std::size_t at;      // Href: the link's attribute value; Open: where " open" stands or would
        std::size_t length;  // the bytes there: the value's, or 5 for " open", 0 without it
        int entry;           // the entry (absolute index) whose row holds it
        Kind kind;
    };
    std::vector<Slot> slots;
    std::size_t nav = 0;  // where "<nav" starts
    struct {
        std::size_t at = 0, length = 0;
    } siteLinks;  // where the data-site-links attribute stands or would stand
};

// The same from the tree read already, as a build that writes both menus does. siteLinks: the
// links are relative to the site folder (a site build), which the <nav> says with the attribute
// data-site-links. When map is given, it receives the places of the links and folders.
struct MenuEntries;
struct MenuEntry;
StaticMenu BuildStaticMenu(const MenuEntries& entries, const GlobalOptions& options, const Lines& projectStyleSheet,
                           bool siteLinks = false, FragmentMap* map = nullptr);

// The folders that start open, by absolute index: those opened in the project and every folder
// around one. With auto-close the script menu opens them in turn, each closing the ones before it,
// so only the last one opened stays open with the folders around it.
std::vector<char> StartOpenFolders(const std::vector<MenuEntry>& entries, bool autoClose);

// The stylesheet of the static menu: its layout and tree images, the project's rules scoped to
// the menu, and one rule per replacement icon (images[k] for class quillnav-img<k>).
Lines BuildStaticStyleSheet(const Lines& projectStyleSheet, const std::vector<std::string>& images);

// The text of the test page static.html, CR LF lines: the fragment beside a frame of the target
// frame's name, in the layout of the script menu's test page.
std::string StaticTestPageText(const StaticMenu& menu);

// Browsers' HTML parsers stop nesting elements a few hundred deep, which a folder of the menu
// without script reaches at about 169 levels: below that, its entries would show flat. Empty for
// a tree within the bound, else a warning naming the depth.
inline constexpr int StaticMenuMaxLevel = 160;
std::string StaticMenuDepthWarning(const ItemTree& tree);

// Quillnavcurrent.js, a script a page may load beside the fragment: it marks the entry that
// links to the page itself (aria-current="page") and opens the folders around it. The script of a
// site's menu is given the menu folder's place in the site ('/'-separated, "" for the site folder):
// it first makes the links of every <nav class="quillnav" data-site-links>, written relative to
// the site folder, lead there from the page, whatever its folder.
Lines CurrentPageScriptLines(const std::optional<std::string>& menuInSite = std::nullopt);

}  // namespace quillmap
