#include "shell/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillmap {

namespace {

#ifndef Q_OS_WIN
const char* const OldOrganization = "Zentavo";
const char* const Name = "Quillmap";

QSettings newStore() { return {QSettings::NativeFormat, QSettings::UserScope, Name, Name}; }

// Copies the settings of the older place once, while the new file does not exist yet, and then
// removes the old file (and its folder, when nothing else is in it), so the settings live in one
// place. When the copy cannot be written the old file stays and is read again next time.
void takeOverOldSettings()
{
    QSettings settings = newStore();
    if (QFileInfo::exists(settings.fileName())) return;
    QSettings old(QSettings::NativeFormat, QSettings::UserScope, OldOrganization, Name);
    const QString oldFile = old.fileName();
    if (!QFileInfo::exists(oldFile)) return;
    const QStringList keys = old.allKeys();
    if (keys.isEmpty()) return;
    for (const QString& key : keys) settings.setValue(key, old.value(key));
    settings.sync();
    if (settings.status() != QSettings::NoError || !QFileInfo::exists(settings.fileName())) return;
    if (QFile::remove(oldFile)) QDir().rmdir(QFileInfo(oldFile).absolutePath());
}
#endif

}  // namespace

QSettings settingsStore()
{
#ifdef Q_OS_WIN
    return {QSettings::NativeFormat, QSettings::UserScope, "Zentavo", "Quillmap"};
#else
    takeOverOldSettings();
    return newStore();
#endif
}

QString settingsFolder()
{
#ifdef Q_OS_WIN
    return {};
#else
    return QFileInfo(newStore().fileName()).absolutePath();
#endif
}

}  // namespace quillmap
