#include "shell/QtRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

#include "text/Error.h"
#include "shell/Association.h"
#include "shell/RegistryStore.h"
#include "shell/SettingsStore.h"

#ifdef Q_OS_WIN
#include <windows.h>
#include <shlobj.h>
#endif

namespace quillmap {

namespace {

const char* const StoreFileName = "registry.ini";

QString rootName(RegistryRoot root)
{
    return root == RegistryRoot::ClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_CURRENT_USER";
}

QString fullKey(RegistryRoot root, const QString& key) { return rootName(root) + "\\" + key; }

QString shownValue(RegistryRoot root, const QString& key, const QString& name)
{
    return fullKey(root, key) + "\\" + (name.isEmpty() ? QString("(Default)") : name);
}

[[noreturn]] void writeFailed(RegistryRoot root, const QString& key, const QString& name, const QString& reason)
{
    throw Error(("Cannot write the registry value " + shownValue(root, key, name) + ": " + reason).toLocal8Bit().toStdString());
}

#ifdef Q_OS_WIN
// In the native registry the key's default value is reached by the name "Default".
QString nativeName(const QString& name) { return name.isEmpty() ? QString("Default") : name; }

// The classes root shows the user's own classes over the machine's. Values for it are written to
// the user's own: the machine's need administrator rights, which a user's program lacks.
QString nativeWriteKey(RegistryRoot root, const QString& key)
{
    return root == RegistryRoot::ClassesRoot ? "HKEY_CURRENT_USER\\Software\\Classes\\" + key : fullKey(root, key);
}
#endif

bool isKey(RegistryRoot root, const QString& key, const QString& name, const QString& wanted)
{
    return root == RegistryRoot::ClassesRoot && name.isEmpty() && key.compare(wanted, Qt::CaseInsensitive) == 0;
}

}  // namespace

QtRegistry::QtRegistry()
{
#ifndef Q_OS_WIN
    storeFile_ = settingsFolder() + "/" + StoreFileName;
    desktop_ = DesktopAssociation::forCurrentUser();
#endif
}

QtRegistry::QtRegistry(const QString& storeFolder) : storeFile_(QDir(storeFolder).filePath(StoreFileName)) {}

QtRegistry::QtRegistry(const QString& storeFolder, DesktopAssociation desktop)
    : storeFile_(QDir(storeFolder).filePath(StoreFileName)), desktop_(std::move(desktop))
{
}

QString QtRegistry::read(RegistryRoot root, const QString& key, const QString& name)
{
    if (desktop_ && isKey(root, key, name, QmpExtensionKey)) {
        const QString program = desktop_->defaultApplication();
        return program == QuillmapDesktopId ? QmpFileTypeName : program;
    }
    if (desktop_ && isKey(root, key, name, QmpOpenCommandKey)) {
        const QString executable = desktop_->registeredExecutable();
        return executable.isEmpty() ? QString() : associationCommandText(executable);
    }
    return readStore(root, key, name);
}

QString QtRegistry::readStore(RegistryRoot root, const QString& key, const QString& name) const
{
#ifdef Q_OS_WIN
    if (storeFile_.isEmpty()) {
        // The user's own classes first, as the classes root shows them: not every system's merged
        // view shows at once what was just written there (wine's never does).
        for (const QString& nativeKey : {nativeWriteKey(root, key), fullKey(root, key)}) {
            const QVariant value = QSettings(nativeKey, QSettings::NativeFormat).value(nativeName(name));
            if (value.isValid()) return value.toString();
        }
        return {};
    }
#endif
    QFile file(storeFile_);
    if (!file.open(QIODevice::ReadOnly)) return {};  // no store yet: every key is missing
    return RegistryStore::parse(QString::fromUtf8(file.readAll())).value(fullKey(root, key), name);
}

void QtRegistry::write(RegistryRoot root, const QString& key, const QString& name, const QString& value)
{
    if (key.contains('\r') || key.contains('\n') || key.split('\\', Qt::SkipEmptyParts).isEmpty())
        writeFailed(root, key, name, "the key name is not valid");
    if (desktop_ && isKey(root, key, name, QmpExtensionKey)) return;  // the MIME package names the type
    if (desktop_ && isKey(root, key, name, QmpOpenCommandKey)) {
        const QString program = associationCommandProgram(value);
        if (program.isEmpty()) writeFailed(root, key, name, "not an open command of this program");
        const QString description = readStore(root, QmpFileTypeName, {});
        desktop_->install(program, description.isEmpty() ? QmpFileTypeDescription : description);
        return;
    }
#ifdef Q_OS_WIN
    if (storeFile_.isEmpty()) {
        QSettings settings(nativeWriteKey(root, key), QSettings::NativeFormat);
        settings.setValue(nativeName(name), value);
        settings.sync();
        if (settings.status() != QSettings::NoError) writeFailed(root, key, name, "access denied");
        // Explorer shows the new file type and its icon without waiting for the next logon.
        if (root == RegistryRoot::ClassesRoot) SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
        return;
    }
#endif
    RegistryStore store;
    QFile existing(storeFile_);
    if (existing.exists()) {
        // Never replace a store that could not be read: its other values would be lost.
        if (!existing.open(QIODevice::ReadOnly)) writeFailed(root, key, name, existing.errorString());
        store = RegistryStore::parse(QString::fromUtf8(existing.readAll()));
        existing.close();
    }
    store.setValue(fullKey(root, key), name, value);

    const QString folder = QFileInfo(storeFile_).absolutePath();
    if (!QDir().mkpath(folder)) writeFailed(root, key, name, "cannot create the folder " + QDir::toNativeSeparators(folder));
    QSaveFile file(storeFile_);
    if (!file.open(QIODevice::WriteOnly)) writeFailed(root, key, name, file.errorString());
    const QByteArray bytes = store.serialize().toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) writeFailed(root, key, name, file.errorString());
}

}  // namespace quillmap
