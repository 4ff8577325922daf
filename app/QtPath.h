#pragma once
// The window's paths are QStrings; core code takes std::filesystem::path. The conversion never
// goes through an 8-bit code page on Windows, so every file name the user can pick works.
#include <QFile>
#include <QString>
#include <filesystem>

namespace quillmap {

inline std::filesystem::path toPath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// The parts of a path before and after its last separator ('/' or '\'); the folder part keeps
// the separator.
inline qsizetype lastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}
inline QString fileNameOf(const QString& path) { return path.mid(lastSeparator(path) + 1); }
inline QString folderOf(const QString& path) { return path.left(lastSeparator(path) + 1); }

}  // namespace quillmap
