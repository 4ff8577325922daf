#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace quillmap {

// The folder of the running executable, with a trailing separator.
std::string programFolder(const std::string& argv0);

// Runs quillmap-build with its arguments (without the program name). Reports go to out and err;
// the result is the exit status: 0 when the menu was written, 1 on an error or refusal, 2 on a
// usage error.
int runBuildCommand(const std::vector<std::string>& arguments, const std::string& appFolder, std::ostream& out,
                    std::ostream& err);

}  // namespace quillmap
