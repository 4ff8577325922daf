#pragma once
#include "text/TextEncoding.h"
#include "tree/ItemTree.h"

namespace quillmap {

// Rewrites every caption and record text of the tree, held as bytes of encoding, as UTF-8.
void recodeTreeToUtf8(ItemTree& tree, TextEncoding encoding);

}  // namespace quillmap
