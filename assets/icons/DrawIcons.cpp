// Draws the program's icon into a hicolor icon theme folder at every size the desktop asks for:
// <folder>/<size>x<size>/apps/quillmap.png. Run at build time; the installed program and its
// package take the icons from there.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "shell/Pictures.h"

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Usage: quillmap_draw_icons FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int size : quillmap::pictures::DesktopIconSizes) {
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = apps + "/quillmap.png";
        if (!QDir().mkpath(apps) || !quillmap::pictures::windowIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "quillmap_draw_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
