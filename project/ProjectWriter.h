#pragma once
#include <string>

#include "text/TextFile.h"
#include "project/ProjectOptions.h"
#include "tree/ItemTree.h"

namespace quillmap {

// The complete project file: header, version, outline, the per-item blocks in absolute-index
// order, the options and the custom images, then the end marker; CR LF after every line. Texts are
// written as their bytes; an item's text equal to the marker line that closes its block gets one
// trailing blank, so that the file reads back.
std::string projectText(const ItemTree& tree, const ProjectOptions& options);

// The same file as a list of lines.
Lines projectLines(const ItemTree& tree, const ProjectOptions& options);

// Saves the project to path safely (saveTextFile): a failed save leaves the previous file
// untouched. Throws "Cannot create file %s" or "Stream write error. %s: <reason>".
void saveProjectFile(const std::filesystem::path& path, const ItemTree& tree, const ProjectOptions& options);

}  // namespace quillmap
