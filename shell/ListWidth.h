#pragma once
class QComboBox;

namespace quillmap {

// The width a drop-down list needs to show its longest entry whole in the style at hand.
int neededListWidth(const QComboBox* box);

}  // namespace quillmap
