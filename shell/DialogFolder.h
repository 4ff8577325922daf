#pragma once
#include <QString>

namespace quillmap {

// The folder a file dialog starts in: preferred (a folder of the program) while it can be written,
// as in an unpacked program folder; otherwise, as for an installed program, the user's documents
// folder, or the home folder when there is none.
QString dialogStartFolder(const QString& preferred);

}  // namespace quillmap
