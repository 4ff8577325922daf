#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace quillmap {

// Runs quillmap-import with its arguments (without the program name). The project file goes to
// --out or, without it, to out; the report of what was added and skipped goes to err when the
// project goes to out, else to out. The result is the exit status: 0 when the project was
// written, 1 on an error, 2 on a usage error (a --site that names no folder, or a --base that names
// none and lies outside the site folder, included).
int runImportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace quillmap
