#include "generator/MenuBuild.h"

#include <filesystem>
#include <system_error>

#include "text/Error.h"
#include "text/TextFile.h"
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

namespace {

bool isGeneratedFile(const fs::path& relative)
{
    for (const char* name : {ScriptFileName, StyleSheetFileName, StaticMenuFileName, StaticStyleSheetFileName,
                             CurrentPageScriptFileName, StaticTestPageFileName})
        if (relative == name) return true;
    return false;
}

}  // namespace

void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& styleSheet,
               const fs::path& outFolder)
{
    const Lines script = BuildScriptLines(tree, options);
    StaticMenu staticMenu = BuildStaticMenu(tree, options, styleSheet);
    writeLinesCrLf(JoinPath(outFolder, ScriptFileName), script);
    writeLinesCrLf(JoinPath(outFolder, StyleSheetFileName), styleSheet);
    writeLinesCrLf(JoinPath(outFolder, StaticMenuFileName), staticMenu.fragment);
    writeLinesCrLf(JoinPath(outFolder, StaticStyleSheetFileName), staticMenu.styleSheet);
    writeLinesCrLf(JoinPath(outFolder, CurrentPageScriptFileName), CurrentPageScriptLines());
    writeLinesCrLf(JoinPath(outFolder, StaticTestPageFileName), StaticTestPageLines(std::move(staticMenu)));
}

void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const MenuLook& look,
               const fs::path& outFolder)
{
    BuildMenu(tree, options, BuildStyleSheet(look), outFolder);
}

void CopyShippedFiles(const fs::path& shippedOutFolder, const fs::path& targetFolder)
{
    std::error_code ec;
    if (fs::equivalent(shippedOutFolder, targetFolder, ec)) return;
    fs::recursive_directory_iterator it(shippedOutFolder, ec);
    if (ec) throw Error("Cannot open folder " + pathText(shippedOutFolder));
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec) throw Error("Cannot open folder " + pathText(shippedOutFolder));
        const fs::path relative = it->path().lexically_relative(shippedOutFolder);
        const fs::path target = targetFolder / relative;
        if (it->is_directory(ec)) {
            fs::create_directory(target, ec);
            if (ec) throw Error("Cannot create folder " + pathText(target));
            continue;
        }
        if (isGeneratedFile(relative) || !it->is_regular_file(ec)) continue;
        // Not fs::copy_file: MinGW's takes every existing file on the same drive for the source
        // itself and refuses to replace it.
        saveTextFile(target, readWholeFile(it->path()));
    }
    if (ec) throw Error("Cannot open folder " + pathText(shippedOutFolder));
}

}  // namespace quillmap
