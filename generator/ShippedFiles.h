#pragma once
#include <string>
#include <vector>

namespace quillmap {

// What adding the shipped files to a folder did, as paths relative to that folder ('/'-separated).
struct ShippedFilesReport {
    std::vector<std::string> added;
    std::vector<std::string> kept;
};

// Adds every regular file under `shipped` (recursively; but for the two generated files
// Quillnav.js and Quillnavstyle.css at its top) to `target` where it is missing: a file
// already in target is kept, never replaced; nothing is written through a symbolic link or outside
// target (a file whose place is taken by a link, or lies in a linked folder, counts as kept); the
// walk never descends into target itself (target may lie inside shipped). Folders are made as
// needed, target included. Each file is written whole or not at all. Throws quillmap::Error:
// "Cannot open folder %s" when shipped cannot be read, "Cannot create folder %s" and
// "Cannot create file %s" when target cannot be written.
ShippedFilesReport addMissingShippedFiles(const std::string& shipped, const std::string& target);

}  // namespace quillmap
