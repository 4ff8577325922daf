// Draws the program's icon, at build time:
//   quillmap_draw_icons FOLDER      into a hicolor icon theme folder at every size the desktop asks
//                                   for, <folder>/<size>x<size>/apps/quillmap.png (Linux)
//   quillmap_draw_icons --ico FILE  into one Windows icon file holding the sizes Explorer shows,
//                                   each stored as PNG (the executables' icon resource)
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>
#include <cstdio>

#include "shell/Pictures.h"

namespace {

int drawTheme(const QString& folder)
{
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

void append16(QByteArray& bytes, quint16 value)
{
    value = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&value), 2);
}

void append32(QByteArray& bytes, quint32 value)
{
    value = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&value), 4);
}

// The icon file: a header, one 16-byte entry per image, then the images.
int drawIco(const QString& file)
{
    const int sizes[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};
    QList<QByteArray> images;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!quillmap::pictures::windowIconImage(size).save(&buffer, "PNG")) {
            std::fprintf(stderr, "quillmap_draw_icons: cannot draw the %d-pixel icon\n", size);
            return 1;
        }
        images << png;
    }
    QByteArray ico;
    append16(ico, 0);
    append16(ico, 1);  // an icon, not a cursor
    append16(ico, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        ico.append(char(sizes[i] % 256)).append(char(sizes[i] % 256));  // 0 stands for 256
        ico.append(char(0)).append(char(0));                             // no palette
        append16(ico, 1);                                                // planes
        append16(ico, 32);                                               // bits per pixel
        append32(ico, quint32(images[i].size()));
        append32(ico, offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray& image : images) ico += image;
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(ico) != ico.size() || !out.flush()) {
        std::fprintf(stderr, "quillmap_draw_icons: cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--ico") return drawIco(QString::fromLocal8Bit(argv[2]));
    if (argc != 2) {
        std::fprintf(stderr, "Usage: quillmap_draw_icons FOLDER | --ico FILE\n");
        return 2;
    }
    return drawTheme(QString::fromLocal8Bit(argv[1]));
}
