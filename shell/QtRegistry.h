#pragma once
#include <QString>
#include <optional>

#include "shell/Platform.h"
#include "shell/DesktopAssociation.h"

namespace quillmap {

// The real Registry. On Windows, without an explicit folder, it is the Windows registry itself.
// Elsewhere (or with an explicit folder) it is a per-user store file, registry.ini, that keeps the
// same keys, value names and values: key and value names compare without regard to letter case,
// as in the registry, while values are kept and returned exactly. Nothing is cached: every read
// and write goes to the store.
//
// On a freedesktop.org desktop the .qmp file type itself lives where the desktop looks for it:
// reading ".qmp" gives "QMAPFile" only while Quillmap's desktop entry is the type's default
// program (otherwise the default's desktop entry id, or nothing), reading the open command gives
// the command of the program that entry starts, and writing the open command registers the type
// with the desktop (DesktopAssociation).
class QtRegistry : public Registry {
public:
    // The user's registry: on Windows the native one, elsewhere registry.ini in settingsFolder().
    QtRegistry();
    // A store file in the given folder, on every platform (tests, portable installs).
    explicit QtRegistry(const QString& storeFolder);
    // A store file in the given folder, with the file type registered on the given desktop.
    QtRegistry(const QString& storeFolder, DesktopAssociation desktop);

    QString read(RegistryRoot root, const QString& key, const QString& name) override;
    void write(RegistryRoot root, const QString& key, const QString& name, const QString& value) override;

    // The store file; empty when the native Windows registry is used.
    QString storeFile() const { return storeFile_; }

private:
    QString readStore(RegistryRoot root, const QString& key, const QString& name) const;

    QString storeFile_;
    std::optional<DesktopAssociation> desktop_;
};

}  // namespace quillmap
