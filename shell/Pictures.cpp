#include "shell/Pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <QtMath>

namespace quillmap::pictures {

namespace {

const QColor folderFill(0xF4, 0xC4, 0x4E);
const QColor folderFront(0xFB, 0xDC, 0x7A);
const QColor folderLine(0x8A, 0x62, 0x10);
const QColor paperLine(0x5A, 0x6A, 0x7E);
const QColor textLine(0x6C, 0x8E, 0xC8);

// Drawn at the device pixel ratio of the sharpest screen, so that the pictures stay sharp on a
// scaled desktop; sizes are in device-independent pixels.
QPixmap blank(int width, int height)
{
    const qreal ratio = std::max(1.0, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    QPixmap pixmap(QSize(width, height) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
}

void paintPlus(QPainter& p, QPointF centre, const QColor& colour)
{
    p.setPen(QPen(QColor(0x1E, 0x6B, 0x1E), 1));
    p.setBrush(colour);
    QPainterPath plus;
    plus.addRect(centre.x() - 1.5, centre.y() - 4.5, 3, 9);
    plus.addRect(centre.x() - 4.5, centre.y() - 1.5, 9, 3);
    p.drawPath(plus.simplified());
}

void paintCross(QPainter& p, const QColor& body, const QColor& edge)
{
    prepare(p);
    p.setPen(QPen(edge, 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    p.setPen(QPen(body, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void paintDisk(QPainter& p, const QColor& body)
{
    prepare(p);
    QPainterPath shell;
    shell.moveTo(3.5, 1.5);
    shell.lineTo(16.5, 1.5);
    shell.lineTo(18.5, 3.5);
    shell.lineTo(18.5, 18.5);
    shell.lineTo(3.5, 18.5);
    shell.closeSubpath();
    p.setPen(QPen(body.darker(170), 1));
    p.setBrush(body);
    p.drawPath(shell);
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    p.setBrush(QColor(0xF2, 0xF2, 0xF2));
    p.drawRect(QRectF(6.5, 1.5, 9, 6));
    p.setBrush(body.darker(140));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(12, 2.5, 2, 4));
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 10.5, 11, 8));
    p.setPen(QPen(textLine, 1));
    p.drawLine(QPointF(7, 13), QPointF(15, 13));
    p.drawLine(QPointF(7, 15.5), QPointF(13, 15.5));
}

}  // namespace

void paintClosedFolder(QPainter& p, QPointF o)
{
    prepare(p);
    QPainterPath body;
    body.moveTo(o + QPointF(0.5, 3.5));
    body.lineTo(o + QPointF(5.5, 3.5));
    body.lineTo(o + QPointF(7.0, 5.0));
    body.lineTo(o + QPointF(14.5, 5.0));
    body.lineTo(o + QPointF(14.5, 13.5));
    body.lineTo(o + QPointF(0.5, 13.5));
    body.closeSubpath();
    p.setPen(QPen(folderLine, 1));
    p.setBrush(folderFill);
    p.drawPath(body);
    p.setPen(QPen(folderFront, 1));
    p.drawLine(o + QPointF(1.5, 6.5), o + QPointF(13.5, 6.5));
}

void paintOpenFolder(QPainter& p, QPointF o)
{
    prepare(p);
    QPainterPath back;
    back.moveTo(o + QPointF(0.5, 3.5));
    back.lineTo(o + QPointF(5.5, 3.5));
    back.lineTo(o + QPointF(7.0, 5.0));
    back.lineTo(o + QPointF(13.5, 5.0));
    back.lineTo(o + QPointF(13.5, 7.5));
    back.lineTo(o + QPointF(0.5, 13.5));
    back.closeSubpath();
    p.setPen(QPen(folderLine, 1));
    p.setBrush(folderFill.darker(115));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(o + QPointF(3.5, 7.5));
    front.lineTo(o + QPointF(15.5, 7.5));
    front.lineTo(o + QPointF(12.5, 13.5));
    front.lineTo(o + QPointF(0.5, 13.5));
    front.closeSubpath();
    p.setBrush(folderFront);
    p.drawPath(front);
}

void paintDocument(QPainter& p, QPointF o)
{
    prepare(p);
    QPainterPath page;
    page.moveTo(o + QPointF(2.5, 0.5));
    page.lineTo(o + QPointF(9.5, 0.5));
    page.lineTo(o + QPointF(13.5, 4.5));
    page.lineTo(o + QPointF(13.5, 15.5));
    page.lineTo(o + QPointF(2.5, 15.5));
    page.closeSubpath();
    p.setPen(QPen(paperLine, 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(o + QPointF(9.5, 0.5));
    corner.lineTo(o + QPointF(9.5, 4.5));
    corner.lineTo(o + QPointF(13.5, 4.5));
    p.setBrush(QColor(0xDD, 0xE3, 0xEA));
    p.drawPath(corner);
    p.setPen(QPen(textLine, 1));
    for (double y : {7.5, 9.5, 11.5, 13.5}) p.drawLine(o + QPointF(4.5, y), o + QPointF(y == 13.5 ? 9.5 : 11.5, y));
}

QPixmap newFolder()
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    paintClosedFolder(p, {0, 0});
    paintPlus(p, {11.5, 11.5}, QColor(0x3C, 0xB8, 0x3C));
    return pm;
}

QPixmap newDocument()
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    paintDocument(p, {-1, 0});
    paintPlus(p, {11.5, 11.5}, QColor(0x3C, 0xB8, 0x3C));
    return pm;
}

QIcon remove()
{
    QPixmap normal = blank(16, 16);
    {
        QPainter p(&normal);
        paintCross(p, QColor(0xE0, 0x30, 0x30), QColor(0x80, 0x10, 0x10));
    }
    QPixmap disabled = blank(16, 16);
    {
        QPainter p(&disabled);
        paintCross(p, QColor(0xD4, 0xD4, 0xD4), QColor(0x9A, 0x9A, 0x9A));
    }
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(normal, QIcon::Active);
    icon.addPixmap(disabled, QIcon::Disabled);
    return icon;
}

QPixmap colors()
{
    QPixmap pm = blank(20, 20);
    QPainter p(&pm);
    prepare(p);
    QPainterPath palette;
    palette.addEllipse(QRectF(1.5, 2.5, 17, 15));
    QPainterPath thumb;
    thumb.addEllipse(QRectF(9.5, 11, 4.5, 4));
    p.setPen(QPen(QColor(0x7A, 0x5A, 0x30), 1));
    p.setBrush(QColor(0xE8, 0xC9, 0x90));
    p.drawPath(palette.subtracted(thumb));
    const QColor dots[] = {QColor(0xE0, 0x20, 0x20), QColor(0x20, 0x60, 0xE0), QColor(0x20, 0xA0, 0x30),
                           QColor(0xF0, 0xD0, 0x10), QColor(0x90, 0x30, 0xC0)};
    const QPointF at[] = {{5.5, 7.5}, {9.5, 5.5}, {14, 7}, {5, 12}, {15, 11.5}};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        p.setBrush(dots[i]);
        p.drawEllipse(at[i], 1.8, 1.8);
    }
    return pm;
}

QPixmap openProject()
{
    QPixmap pm = blank(20, 20);
    QPainter p(&pm);
    paintOpenFolder(p, {2, 3});
    p.setPen(QPen(QColor(0x1E, 0x5A, 0xB4), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath arrow;
    arrow.moveTo(9, 6);
    arrow.cubicTo(10, 1.5, 15, 1, 17, 3.5);
    p.drawPath(arrow);
    p.drawLine(QPointF(17, 3.5), QPointF(14.5, 3.5));
    p.drawLine(QPointF(17, 3.5), QPointF(17, 1));
    return pm;
}

QPixmap saved()
{
    QPixmap pm = blank(22, 20);
    QPainter p(&pm);
    paintDisk(p, QColor(0x3A, 0x6E, 0xC0));
    return pm;
}

QPixmap notSaved()
{
    QPixmap pm = blank(22, 20);
    QPainter p(&pm);
    paintDisk(p, QColor(0x3A, 0x6E, 0xC0));
    QPainterPath star;
    const QPointF centre(17.5, 14.5);
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? 2.1 : 4.5;
        const double angle = qDegreesToRadians(-90.0 + 36.0 * i);
        const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        if (i == 0) star.moveTo(point);
        else star.lineTo(point);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(0x90, 0x10, 0x10), 1));
    p.setBrush(QColor(0xF0, 0x3A, 0x2A));
    p.drawPath(star);
    return pm;
}

QPixmap buildAndTest()
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    paintDocument(p, {-2, 0});
    QPainterPath play;
    play.moveTo(7.5, 6.5);
    play.lineTo(15.5, 11);
    play.lineTo(7.5, 15.5);
    play.closeSubpath();
    p.setPen(QPen(QColor(0x1E, 0x6B, 0x1E), 1));
    p.setBrush(QColor(0x3C, 0xB8, 0x3C));
    p.drawPath(play);
    return pm;
}

QPixmap build()
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    prepare(p);
    const QPointF centre(8, 8);
    QPainterPath cog;
    cog.addEllipse(centre, 5.0, 5.0);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRect(QRectF(-1.6, -7.6, 3.2, 4));
        cog = cog.united(QTransform().translate(centre.x(), centre.y()).rotate(45.0 * i).map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(centre, 2.0, 2.0);
    p.setPen(QPen(QColor(0x40, 0x48, 0x55), 1));
    p.setBrush(QColor(0x9A, 0xA6, 0xB8));
    p.drawPath(cog.subtracted(hole));
    return pm;
}

QPixmap browseOut()
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    paintClosedFolder(p, {0, 0});
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.4));
    p.setBrush(QColor(0xCF, 0xE8, 0xFF, 220));
    p.drawEllipse(QPointF(9.5, 9.5), 3.2, 3.2);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11.8, 11.8), QPointF(14.8, 14.8));
    return pm;
}

// A small tree: an open folder holding a folder and a document.
QImage windowIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    prepare(p);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.5));
    p.drawLine(QPointF(5, 11), QPointF(5, 26));
    p.drawLine(QPointF(5, 15), QPointF(12, 15));
    p.drawLine(QPointF(5, 26), QPointF(13, 26));
    p.save();
    p.translate(0, -3);
    paintOpenFolder(p, {0, 0});
    p.restore();
    p.save();
    p.translate(12, 8);
    p.scale(0.8, 0.8);
    paintClosedFolder(p, {0, 0});
    p.restore();
    p.save();
    p.translate(12.5, 19.5);
    p.scale(0.8, 0.8);
    paintDocument(p, {0, 0});
    p.restore();
    p.end();
    return image;
}

QIcon windowIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(windowIconImage(size)));
    return icon;
}

}  // namespace quillmap::pictures
