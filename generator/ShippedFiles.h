#pragma once
#include <string>
#include <vector>

namespace quillmap {

class ItemTree;

// What adding the shipped files to a folder did, as paths relative to that folder ('/'-separated).
struct ShippedFilesReport {
    std::vector<std::string> added;
    std::vector<std::string> kept;
};

// Adds the regular files at the top of `shipped` (but for the two generated files Quillnav.js and
// Quillnavstyle.css), and every file below those of its subfolders named in `folders`, to
// `target` where they are missing: a file
// already in target is kept, never replaced; nothing is written through a symbolic link or outside
// target (a file whose place is taken by a link, or lies in a linked folder, counts as kept); the
// walk never descends into target itself (target may lie inside shipped). Folders are made as
// needed, target included. Each file is written whole or not at all. Throws quillmap::Error:
// "Cannot open folder %s" when shipped cannot be read, "Cannot create folder %s" and
// "Cannot create file %s" when target cannot be written.
ShippedFilesReport addMissingShippedFiles(const std::string& shipped, const std::string& target,
                                          const std::vector<std::string>& folders = {});

// The subfolders at the top of `shipped` that a link of tree leads into: a relative link whose
// first part names one (the sample project's pages in sample-site/). A build copies only these
// beside its menu, so a folder of the user's holds no pages that none of their menus opens.
std::vector<std::string> linkedShippedFolders(const std::string& shipped, const ItemTree& tree);

}  // namespace quillmap
