#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace quillmap {

// Runs quillmap-check with its arguments (without the program name): one line per broken link
// and a summary go to out, errors to err. The result is the exit status: 0 when every link is
// good, 1 when some are broken, 2 when the check could not run or on a usage error.
int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace quillmap
