#include "tree/ImageList1.h"

#include <QGuiApplication>
#include <QPainter>
#include <array>

#include "shell/Pictures.h"
#include "tree/ItemTree.h"

namespace quillmap {

namespace {

QIcon draw(int imageIndex)
{
    // At the device pixel ratio of the sharpest screen: sharp on a scaled desktop too.
    const qreal ratio = std::max(1.0, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    QPixmap picture(ImageList1::size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QPointF origin(0, 3);
    switch (imageIndex) {
    case ClosedFolderImage:
        pictures::paintClosedFolder(painter, origin);
        break;
    case OpenFolderImage:
        pictures::paintOpenFolder(painter, origin);
        break;
    default:
        pictures::paintDocument(painter, origin);
        break;
    }
    painter.end();
    QIcon icon;
    // The same picture when selected: the highlight alone marks the selection.
    icon.addPixmap(picture, QIcon::Normal);
    icon.addPixmap(picture, QIcon::Selected);
    icon.addPixmap(picture, QIcon::Active);
    return icon;
}

}  // namespace

QIcon ImageList1::icon(int imageIndex)
{
    static const std::array<QIcon, Count> icons{draw(0), draw(1), draw(2)};
    if (imageIndex < 0 || imageIndex >= Count) return {};
    return icons[static_cast<std::size_t>(imageIndex)];
}

}  // namespace quillmap
