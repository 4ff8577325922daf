#pragma once
#include <QString>

#include "app/Platform.h"

namespace quillmap {

// The real Registry. On Windows, without an explicit folder, it is the Windows registry itself.
// Elsewhere (or with an explicit folder) it is a per-user store file, registry.ini, that keeps the
// same keys, value names and values: key and value names compare without regard to letter case,
// as in the registry, while values are kept and returned exactly. Nothing is cached: every read
// and write goes to the store.
class QtRegistry : public Registry {
public:
    // The user's registry: on Windows the native one, elsewhere registry.ini in the program's
    // per-user configuration folder.
    QtRegistry();
    // A store file in the given folder, on every platform (tests, portable installs).
    explicit QtRegistry(const QString& storeFolder);

    QString read(RegistryRoot root, const QString& key, const QString& name) override;
    void write(RegistryRoot root, const QString& key, const QString& name, const QString& value) override;

    // The store file; empty when the native Windows registry is used.
    QString storeFile() const { return storeFile_; }

private:
    QString storeFile_;
};

}  // namespace quillmap
