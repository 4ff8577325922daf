#pragma once
#include <QSettings>
#include <QString>

namespace quillmap {

// The user's settings: the places of the windows, the site folders remembered for link checks.
// On Windows the registry under HKEY_CURRENT_USER\Software\Zentavo\Quillmap. Elsewhere
// Quillmap.conf in settingsFolder(), beside the registry store registry.ini; the first use takes
// over what an older Quillmap kept in Zentavo/Quillmap.conf of the configuration folder.
QSettings settingsStore();

// The folder of Quillmap's per-user files off Windows: ${XDG_CONFIG_HOME:-~/.config}/Quillmap.
QString settingsFolder();

}  // namespace quillmap
