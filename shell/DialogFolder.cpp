#include "shell/DialogFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillmap {

QString dialogStartFolder(const QString& preferred)
{
    const QFileInfo program(preferred);
    if (program.isDir() && program.isWritable()) return preferred;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return QDir::toNativeSeparators(documents);
    return QDir::toNativeSeparators(QDir::homePath());
}

}  // namespace quillmap
