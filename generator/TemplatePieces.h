#pragma once
#include <array>
#include <string_view>

namespace quillmap {

// The fixed code of Quillnav.js in pieces, compiled into the program from generator/piece*.js.
// The build writes its generated lines after each of the first four; the fifth, which makes the
// links of a site's menu lead to the site's pages from any folder, is written into the script of
// a site's menu only, right before the tree lines.
const std::array<std::string_view, 5>& TemplatePieces();

}  // namespace quillmap
