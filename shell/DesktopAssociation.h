#pragma once
// The .qmp file type on a freedesktop.org desktop (Linux and its kin), kept in the user's own
// folders: a shared-mime-info package for *.qmp, a desktop entry that starts this program (which
// also puts it in the application menu), the program's icon in the hicolor theme, and Quillmap
// made the type's default program.
#include <QString>
#include <QStringList>

namespace quillmap {

inline const QString QmpMimeType = "application/x-quillmap-project";
inline const QString QuillmapDesktopId = "quillmap.desktop";
inline const QString QuillmapIconName = "quillmap";

class DesktopAssociation {
public:
    // dataHome and configHome are $XDG_DATA_HOME and $XDG_CONFIG_HOME, dataDirs $XDG_DATA_DIRS;
    // the desktop tools run with exactly these folders.
    DesktopAssociation(QString dataHome, QString configHome, QStringList dataDirs);
    // The folders of the environment, with the standard defaults for those not set.
    static DesktopAssociation forCurrentUser();

    // Writes the MIME package, the desktop entry (with TryExec, so it leaves the menus when the
    // program is gone) and the icon, updates the desktop's databases where their tools are
    // installed, and makes the desktop entry the type's default. For a program that the system's
    // own desktop entry starts (an installed one) it writes none of these: it removes the user's
    // own copies and only makes the entry the default, where it is not already. Throws
    // quillmap::Error when a file cannot be written.
    void install(const QString& executablePath, const QString& description) const;

    // The desktop entry id of the type's default program as the desktop reports it
    // (`xdg-mime query default`); empty when there is none.
    QString defaultApplication() const;
    // The program that Quillmap's desktop entry starts (the user's own, else the system's), as a
    // full path with links followed; empty without an entry.
    QString registeredExecutable() const;
    // The program that the system's own desktop entry starts (in $XDG_DATA_DIRS); empty without one.
    QString systemExecutable() const;

    // The Exec value of the desktop entry for the program, and back: its program path.
    static QString execLine(const QString& executablePath);
    static QString executableOfExecLine(const QString& exec);

    const QString& dataHome() const { return dataHome_; }
    const QString& configHome() const { return configHome_; }

private:
    QString runTool(const QString& tool, const QStringList& arguments, bool* ran = nullptr) const;
    void makeDefault() const;
    void installIcon() const;
    void removeUserRegistration() const;
    QString executableOfEntryIn(const QStringList& folders) const;
    // The path the desktop entry starts the program by.
    QString launcher(const QString& executablePath) const;

    QString dataHome_;
    QString configHome_;
    QStringList dataDirs_;
};

}  // namespace quillmap
