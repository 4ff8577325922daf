#include "generator/MenuBuild.h"

#include <filesystem>
#include <future>
#include <optional>
#include <set>
#include <system_error>

#include "text/Error.h"
#include "text/TextFile.h"
#include "generator/MenuEntries.h"
#include "generator/SiteTestPage.h"
#include "generator/StaticMenu.h"

namespace quillmap {

namespace fs = std::filesystem;

fs::path JoinPath(const fs::path& folder, const fs::path& name)
{
    const fs::path::string_type& text = folder.native();
    if (text.empty() || text.back() == '/' || text.back() == '\\') return fs::path(text + name.native());
    return fs::path(text + fs::path::preferred_separator + name.native());
}

fs::path OutFolderOf(const fs::path& appFolder) { return JoinPath(appFolder, "out"); }

bool IsGeneratedFile(const fs::path& relative)
{
    for (const char* name : {ScriptFileName, StyleSheetFileName, StaticMenuFileName, StaticStyleSheetFileName,
                             CurrentPageScriptFileName, StaticTestPageFileName})
        if (relative == name) return true;
    return false;
}

const std::vector<std::string>& TreePictureNames()
{
    static const std::vector<std::string> names = {
        "ftv2blank.gif",    "ftv2doc.gif",       "ftv2folderclosed.gif", "ftv2folderopen.gif",
        "ftv2lastnode.gif", "ftv2mlastnode.gif", "ftv2mnode.gif",        "ftv2node.gif",
        "ftv2plastnode.gif", "ftv2pnode.gif",    "ftv2vertline.gif",     "quillnav-tree.png"};
    return names;
}

namespace {

// The script menu's stylesheet for the pages of a site, which keep their own look.
Lines siteStyleSheet(const Lines& styleSheet)
{
    Lines lines = {std::string("/* Quillmap menu: styles the tree (") + ScriptMenuSelector + ") and nothing outside it. */"};
    for (std::string& rule : ScopedStyleSheet(styleSheet, ScriptMenuSelector)) lines.push_back(std::move(rule));
    return lines;
}

// Both menus from the tree read once; the menu without script is built on a thread of its own,
// so that it adds little to the time a build takes. A site's menu (menuInSite given) gets the menu
// folder's place in the site written into its scripts, and a stylesheet that styles it alone; its
// menu without script keeps the links relative to the site folder, which Quillnavcurrent.js makes
// relative to the page that loads it.
std::vector<FolderFile> menuFiles(const MenuEntries& entries, const GlobalOptions& options, const Lines& styleSheet,
                                  const std::optional<std::string>& menuInSite)
{
    auto withoutScript = std::async(std::launch::async, [&] {
        const StaticMenu staticMenu = BuildStaticMenu(entries, options, styleSheet, menuInSite.has_value());
        std::vector<FolderFile> files = {
            {StaticMenuFileName, staticMenu.fragment},
            {StaticStyleSheetFileName, joinLinesCrLf(staticMenu.styleSheet)},
            {CurrentPageScriptFileName, joinLinesCrLf(CurrentPageScriptLines(menuInSite))}};
        if (!menuInSite) files.push_back({StaticTestPageFileName, StaticTestPageText(staticMenu)});
        return files;
    });
    std::vector<FolderFile> files = {
        {ScriptFileName, BuildScriptText(entries, options, menuInSite)},
        {StyleSheetFileName, joinLinesCrLf(menuInSite ? siteStyleSheet(styleSheet) : styleSheet)}};
    for (FolderFile& file : withoutScript.get()) files.push_back(std::move(file));
    return files;
}

// A picture of the program's out folder, added where the menu folder lacks it. One the program
// does not have is left to the link check to report.
void addPicture(std::vector<FolderFile>& files, const fs::path& shippedOut, const std::string& name)
{
    const fs::path source = JoinPath(shippedOut, pathFromText(name));
    if (name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos || !fileExists(source)) return;
    files.push_back({name, readWholeFile(source), true});
}

}  // namespace

void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& styleSheet, const fs::path& outFolder)
{
    const MenuEntries entries = ReadMenuEntries(tree, options);
    writeFolderFiles(outFolder, menuFiles(entries, options, styleSheet, std::nullopt));
}

void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const MenuLook& look, const fs::path& outFolder)
{
    BuildMenu(tree, options, BuildStyleSheet(look), outFolder);
}

FolderFilesReport BuildSiteMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& styleSheet,
                                const SiteBuild& site)
{
    const MenuEntries entries = ReadMenuEntries(tree, options);
    std::vector<FolderFile> files = menuFiles(entries, options, styleSheet, site.menuInSite);
    files.push_back({SiteTestPageFileName, SiteTestPageText(site.menuInSite)});
    for (const std::string& name : TreePictureNames()) addPicture(files, site.shippedOut, name);
    std::set<std::string> images;
    for (const MenuEntry& entry : entries.items)
        if (entry.hasImage && images.insert(entry.record->CustomImage).second)
            addPicture(files, site.shippedOut, entry.record->CustomImage);

    std::error_code ec;
    fs::create_directories(site.menuFolder, ec);
    if (ec) throw Error("Cannot create folder " + pathText(site.menuFolder) + ": " + ec.message());
    return writeFolderFiles(site.menuFolder, files);
}

}  // namespace quillmap
