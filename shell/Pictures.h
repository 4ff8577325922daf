#pragma once
// The pictures of the program's buttons, its two save-state pictures and its window icon, drawn
// at run time so that no image file has to travel with the program.
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace quillmap::pictures {

QPixmap newFolder();      // 16 x 16
QPixmap newDocument();    // 16 x 16
QIcon remove();           // 16 x 16, with its own picture for the disabled look
QPixmap colors();         // 20 x 20
QPixmap openProject();    // 20 x 20
QPixmap saved();          // 22 x 20: no unsaved changes
QPixmap notSaved();       // 22 x 20: unsaved changes
QPixmap buildAndTest();   // 16 x 16
QPixmap build();          // 16 x 16
QPixmap browseOut();      // 16 x 16
QIcon windowIcon();
// The program's icon drawn at size x size pixels, for the desktop's icon theme.
QImage windowIconImage(int size);
// The sizes of the icon in the hicolor theme, per user and in an installed program.
inline constexpr int DesktopIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Shared by the tree pictures: a folder drawn into the given 16 x 16 box.
void paintClosedFolder(class QPainter& painter, QPointF origin);
void paintOpenFolder(class QPainter& painter, QPointF origin);
void paintDocument(class QPainter& painter, QPointF origin);

}  // namespace quillmap::pictures
