#pragma once
#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace quillmap {

// The folder of the running executable.
std::filesystem::path programFolder(const std::filesystem::path& argv0);

// Runs quillmap-build with its arguments (without the program name), texts as pathFromText
// reads them: UTF-8 on Windows. Reports go to out and err; the result is the exit status: 0 when
// the menu was written, 1 on an error or refusal, 2 on a usage error.
// A project given as "-" is read from in (standard input in the first form).
int runBuildCommand(const std::vector<std::string>& arguments, const std::filesystem::path& appFolder,
                    std::ostream& out, std::ostream& err);
int runBuildCommand(const std::vector<std::string>& arguments, const std::filesystem::path& appFolder,
                    std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quillmap
