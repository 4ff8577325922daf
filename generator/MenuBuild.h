#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "text/FolderFiles.h"
#include "text/TextFile.h"
#include "generator/ScriptBuilder.h"
#include "styles/StyleSheet.h"
#include "tree/ItemTree.h"

namespace quillmap {

inline constexpr const char* ScriptFileName = "Quillnav.js";
inline constexpr const char* StyleSheetFileName = "Quillnavstyle.css";
inline constexpr const char* TestPageFileName = "index.html";
// The menu without script: the fragment for a page's body, its stylesheet, the optional script
// that marks the current page, and a test page showing it.
inline constexpr const char* StaticMenuFileName = "Quillnav.html";
inline constexpr const char* StaticStyleSheetFileName = "Quillnavstatic.css";
inline constexpr const char* CurrentPageScriptFileName = "Quillnavcurrent.js";
inline constexpr const char* StaticTestPageFileName = "static.html";

// folder + name with the platform's separator, unless folder already ends with one.
std::filesystem::path JoinPath(const std::filesystem::path& folder, const std::filesystem::path& name);

// The program's out folder: AppFolder + "out".
std::filesystem::path OutFolderOf(const std::filesystem::path& appFolder);

// The build behind "Build", "Build and Test" and quillmap-build. Works out the script menu and
// the menu without script first, so a refused tree writes nothing; then writes Quillnav.js,
// Quillnavstyle.css (the given stylesheet lines), Quillnav.html, Quillnavstatic.css,
// Quillnavcurrent.js and static.html into outFolder as one step (writeFolderFiles): a failure
// leaves the whole old menu, and no file is written through a link. The folder is never
// created. Throws quillmap::Error.
void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& styleSheet,
               const std::filesystem::path& outFolder);
// The same, with the stylesheet lines made from the menu's look.
void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const MenuLook& look,
               const std::filesystem::path& outFolder);

// A build into a site's menu folder.
struct SiteBuild {
    std::filesystem::path menuFolder;  // made when missing
    std::string menuInSite;            // its place in the site, '/'-separated, "" for the site folder
    std::filesystem::path shippedOut;  // the program's out folder: the pictures come from there
};
inline constexpr const char* SiteTestPageFileName = "quillmap-test.html";

// Writes only the menu's own files into the menu folder, as one step: both menus with their
// stylesheets and the current-page script, the test page quillmap-test.html, and the tree
// pictures and replacement icons the project uses where the folder lacks them (a picture of
// the user's is kept). Returns what was written, left unchanged and kept.
FolderFilesReport BuildSiteMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& styleSheet,
                                const SiteBuild& site);

// The pictures every menu draws its tree with.
const std::vector<std::string>& TreePictureNames();

// Whether a file of the out folder (relative to it) is one every build writes itself.
bool IsGeneratedFile(const std::filesystem::path& relative);

}  // namespace quillmap
