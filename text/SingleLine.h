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

// A caption's leading blanks and TABs would read back from a project file as indentation; they
// mean nothing in the menu, so they are dropped as the caption is entered.
inline QString withoutLeadingBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && (text[start] == QLatin1Char(' ') || text[start] == QLatin1Char('\t'))) ++start;
    return start ? text.mid(start) : text;
}

}  // namespace quillmap
