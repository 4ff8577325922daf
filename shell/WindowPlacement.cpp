#include "shell/WindowPlacement.h"

#include <QGuiApplication>
#include <algorithm>
#include <QScreen>
#include <QWidget>

#include "shell/SettingsStore.h"

namespace quillmap {

namespace {

QList<QRect> screenAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
    return areas;
}

}  // namespace

std::optional<QRect> placedOnScreen(const QRect& rectangle, const QList<QRect>& screenAreas)
{
    const QRect* best = nullptr;
    qint64 bestOverlap = 0;
    for (const QRect& area : screenAreas) {
        const QRect overlap = area.intersected(rectangle);
        const qint64 size = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
        if (size > bestOverlap) {
            bestOverlap = size;
            best = &area;
        }
    }
    if (!best) return std::nullopt;
    QRect placed(rectangle.topLeft(), rectangle.size().boundedTo(best->size()));
    placed.moveLeft(std::clamp(placed.left(), best->left(), best->right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), best->top(), best->bottom() + 1 - placed.height()));
    return placed;
}

void rememberWindowGeometry(const QString& name, const QWidget& window)
{
    QSettings settings = settingsStore();
    const bool maximized = window.isMaximized();
    settings.setValue(name + "/geometry", maximized ? window.normalGeometry() : window.geometry());
    settings.setValue(name + "/maximized", maximized);
}

bool restoreWindowGeometry(const QString& name, QWidget& window)
{
    const QSettings settings = settingsStore();
    const QRect remembered = settings.value(name + "/geometry").toRect();
    if (!remembered.isValid()) return false;
    const std::optional<QRect> placed = placedOnScreen(remembered, screenAreas());
    if (!placed) return false;
    window.setGeometry(*placed);
    if (settings.value(name + "/maximized").toBool()) window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return true;
}

void rememberWindowPosition(const QString& name, const QWidget& window)
{
    QSettings settings = settingsStore();
    settings.setValue(name + "/position", window.pos());
}

bool restoreWindowPosition(const QString& name, QWidget& window)
{
    const QVariant remembered = settingsStore().value(name + "/position");
    if (!remembered.canConvert<QPoint>() || !remembered.isValid()) return false;
    const QSize frame = window.frameGeometry().size();
    const std::optional<QRect> placed = placedOnScreen(QRect(remembered.toPoint(), frame), screenAreas());
    if (!placed) return false;
    window.move(placed->topLeft());
    return true;
}

}  // namespace quillmap
