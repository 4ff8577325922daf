#pragma once
// The window program's own command line, read before anything of the toolkit starts, so that
// --help and --version work without a display.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quillmap {

// Reads the arguments after the program's name. Empty when the window is to open, with the
// project named (or none) in project; else the exit status after the help or version text went to
// out (0) or a usage error to err (2).
std::optional<int> readStartOptions(const std::vector<std::string>& arguments, std::string& project, std::ostream& out,
                                    std::ostream& err);

}  // namespace quillmap
