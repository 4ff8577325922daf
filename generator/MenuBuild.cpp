#include "generator/MenuBuild.h"

#include <filesystem>
#include <system_error>

#include "app/Error.h"

namespace quillmap {

namespace fs = std::filesystem;

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder + name;
    return folder + static_cast<char>(fs::path::preferred_separator) + name;
}

std::string OutFolderOf(const std::string& appFolder) { return JoinPath(appFolder, "out"); }

void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& styleSheet,
               const std::string& outFolder)
{
    const Lines script = BuildScriptLines(tree, options);
    writeLinesCrLf(JoinPath(outFolder, ScriptFileName), script);
    writeLinesCrLf(JoinPath(outFolder, StyleSheetFileName), styleSheet);
}

void BuildMenu(const ItemTree& tree, const GlobalOptions& options, const MenuLook& look,
               const std::string& outFolder)
{
    BuildMenu(tree, options, BuildStyleSheet(look), outFolder);
}

void CopyShippedFiles(const std::string& shippedOutFolder, const std::string& targetFolder)
{
    std::error_code ec;
    if (fs::equivalent(shippedOutFolder, targetFolder, ec)) return;
    fs::recursive_directory_iterator it(shippedOutFolder, ec);
    if (ec) throw Error("Cannot open folder " + shippedOutFolder);
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec) throw Error("Cannot open folder " + shippedOutFolder);
        const fs::path relative = it->path().lexically_relative(shippedOutFolder);
        const fs::path target = fs::path(targetFolder) / relative;
        if (it->is_directory(ec)) {
            fs::create_directory(target, ec);
            if (ec) throw Error("Cannot create folder " + target.string());
            continue;
        }
        const std::string name = relative.string();
        if (name == ScriptFileName || name == StyleSheetFileName || !it->is_regular_file(ec)) continue;
        fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing, ec);
        if (ec) throw Error("Cannot create file " + target.string());
    }
    if (ec) throw Error("Cannot open folder " + shippedOutFolder);
}

}  // namespace quillmap
