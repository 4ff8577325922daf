#pragma once
#include <QString>
#include <functional>

class QMenu;
class QWidget;

namespace quillmap {

class Prompts;

// A right-click menu of owner, filled by fill (when given) each time it opens; the menu belongs
// to owner.
QMenu* contextMenu(QWidget* owner, Prompts& prompts, const QString& name, const std::function<void()>& fill = {});

}  // namespace quillmap
