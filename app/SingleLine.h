#pragma once
#include <QString>

namespace quillmap {

// A stored text never holds a line break: it would split a line of the project file or of the
// generated script. Pasted line breaks are dropped.
inline QString singleLine(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

inline bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

}  // namespace quillmap
