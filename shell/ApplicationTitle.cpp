#include "shell/ApplicationTitle.h"

namespace quillmap {

namespace {
QString& title()
{
    static QString value = QStringLiteral("Quillmap");
    return value;
}
}  // namespace

QString applicationTitle() { return title(); }

void setApplicationTitle(const QString& newTitle) { title() = newTitle; }

}  // namespace quillmap
