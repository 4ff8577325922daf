#pragma once
#include <filesystem>
#include <string>

#include "app/TextFile.h"
#include "project/ProjectOptions.h"
#include "tree/ItemTree.h"

namespace quillmap {

// The complete project file: header, version, outline, the per-item blocks in absolute-index
// order, the options and the custom images, then the end marker; CR LF after every line.
std::string projectText(const ItemTree& tree, const ProjectOptions& options);

// The same file as a list of lines.
Lines projectLines(const ItemTree& tree, const ProjectOptions& options);

// Writes the project to path through a temporary file beside it, so a failed save leaves the
// previous file untouched. Throws "Cannot create file %s" or "Stream write error".
void saveProjectFile(const std::filesystem::path& path, const ItemTree& tree, const ProjectOptions& options);

}  // namespace quillmap
