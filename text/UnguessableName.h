#pragma once
#include <string>

namespace quillmap {

// Twelve random letters and digits: a name nobody can guess, so that nothing can be planted
// there in advance, and short enough to fit beside a name as long as the system allows.
std::string unguessableName();

}  // namespace quillmap
