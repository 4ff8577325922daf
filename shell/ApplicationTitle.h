#pragma once
#include <QString>

namespace quillmap {

// The application title: the program's name for the desktop and the title of every message box.
// It is kept apart from the toolkit's application display name, which some desktops append to
// every window caption ("Quillmap 2.0 - Quillmap").
QString applicationTitle();
void setApplicationTitle(const QString& title);

}  // namespace quillmap
