#pragma once
// Where the user last left a window, kept in the user's settings (settingsStore()), and brought
// back only onto a screen that exists.
#include <QList>
#include <QRect>
#include <QString>
#include <optional>

class QWidget;

namespace quillmap {

// The rectangle moved, and shrunk where needed, into the screen area it overlaps most; nothing
// when it overlaps none of them.
std::optional<QRect> placedOnScreen(const QRect& rectangle, const QList<QRect>& screenAreas);

// The main window: its size, position and maximised state.
void rememberWindowGeometry(const QString& name, const QWidget& window);
// False (and the window untouched) when nothing is remembered or no screen shows that place.
bool restoreWindowGeometry(const QString& name, QWidget& window);

// A window of fixed size: its position only.
void rememberWindowPosition(const QString& name, const QWidget& window);
bool restoreWindowPosition(const QString& name, QWidget& window);

}  // namespace quillmap
