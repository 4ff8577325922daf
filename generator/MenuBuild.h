#pragma once
#include <filesystem>
#include <string>

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

// The build behind "Build", "Build and Test" and quillmap-build. Works out the script and the
// menu without script first, so a refused tree writes nothing; then writes outFolder/Quillnav.js
// and outFolder/Quillnavstyle.css (the given stylesheet lines), then Quillnav.html,
// Quillnavstatic.css, Quillnavcurrent.js and static.html, each line ending in CR LF, by
// saveTextFile's rules, so a failed write leaves the old file whole. The folder is never
// created. Throws quillmap::Error: "Cannot create file %s" (full path) or "Stream write error";
// when the script was written and the stylesheet fails, the new script stays and the old
// stylesheet is untouched.
void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& styleSheet,
               const std::filesystem::path& outFolder);
// The same, with the stylesheet lines made from the menu's look.
void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const MenuLook& look,
               const std::filesystem::path& outFolder);

// Whether a file of the out folder (relative to it) is one every build writes itself.
bool IsGeneratedFile(const std::filesystem::path& relative);

}  // namespace quillmap
