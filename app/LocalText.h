#pragma once
// The one boundary between the window's texts and the core's 8-bit texts: the system's code page.
#include <QString>
#include <string>

namespace quillmap {

inline std::string local8Bit(const QString& text) { return text.toLocal8Bit().toStdString(); }
inline QString fromLocal8Bit(const std::string& text) { return QString::fromLocal8Bit(text); }

}  // namespace quillmap
