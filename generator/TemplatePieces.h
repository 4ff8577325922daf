#pragma once
#include <array>
#include <string_view>

namespace quillmap {

// The fixed code of Quillnav.js in four pieces, compiled into the program from generator/piece*.js.
// The build writes its generated lines after each of them.
const std::array<std::string_view, 4>& TemplatePieces();

}  // namespace quillmap
