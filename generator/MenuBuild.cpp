#include "generator/MenuBuild.h"

#include <filesystem>
#include <future>

#include "text/TextFile.h"
#include "generator/MenuEntries.h"
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

void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& styleSheet,
               const fs::path& outFolder)
{
    // Both menus read the tree once; then each is built and saved on its own thread, so that the
    // menu without script adds little to the time a build takes. Saved like projects: a failed
    // write leaves the menu a live site uses whole.
    const MenuEntries entries = ReadMenuEntries(tree, options);
    auto withoutScript = std::async(std::launch::async, [&] {
        const StaticMenu staticMenu = BuildStaticMenu(entries, options, styleSheet);
        saveTextFile(JoinPath(outFolder, StaticMenuFileName), staticMenu.fragment);
        saveTextFile(JoinPath(outFolder, StaticStyleSheetFileName), joinLinesCrLf(staticMenu.styleSheet));
        saveTextFile(JoinPath(outFolder, CurrentPageScriptFileName), joinLinesCrLf(CurrentPageScriptLines()));
        saveTextFile(JoinPath(outFolder, StaticTestPageFileName), StaticTestPageText(staticMenu));
    });
    saveTextFile(JoinPath(outFolder, ScriptFileName), BuildScriptText(entries, options));
    saveTextFile(JoinPath(outFolder, StyleSheetFileName), joinLinesCrLf(styleSheet));
    withoutScript.get();
}

void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const MenuLook& look,
               const fs::path& outFolder)
{
    BuildMenu(tree, options, BuildStyleSheet(look), outFolder);
}

}  // namespace quillmap
