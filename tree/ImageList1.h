#pragma once
// The tree's three pictures, 16 x 22 each, in image-index order: closed folder, open folder,
// document.
#include <QIcon>
#include <QSize>

namespace quillmap {

class ImageList1 {
public:
    static constexpr int Count = 3;
    static QSize size() { return {16, 22}; }
    // A null icon for an index outside 0 to 2.
    static QIcon icon(int imageIndex);
};

}  // namespace quillmap
