// The .qmp file type registered with the real xdg-utils and shared-mime-info tools, into
// temporary XDG folders.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "shell/Association.h"
#include "shell/DesktopAssociation.h"
#include "shell/QtRegistry.h"

using namespace quillmap;

namespace {

struct Desktop {
    QTemporaryDir root;
    QString data() const { return root.path() + "/data"; }
    QString config() const { return root.path() + "/config"; }
    DesktopAssociation association() const { return {data(), config(), {"/usr/local/share", "/usr/share"}}; }

    // Runs a desktop tool with this desktop's folders; its standard output, trimmed.
    QString run(const QString& tool, const QStringList& arguments) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", data());
        environment.insert("XDG_CONFIG_HOME", config());
        environment.insert("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
        process.setProcessEnvironment(environment);
        process.start(tool, arguments);
        EXPECT_TRUE(process.waitForFinished(30000)) << tool.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError()).trimmed();
    }
};

bool desktopToolsPresent()
{
    for (const char* tool : {"xdg-mime", "update-mime-database", "desktop-file-validate", "gtk-update-icon-cache"})
        if (QStandardPaths::findExecutable(tool).isEmpty()) return false;
    return true;
}

}  // namespace

// A quoted path made xdg-open look for a program named with the quotes; a % in the folder has
// to be written %% or the entry is invalid.
TEST(DesktopAssociation, ExecLineQuotesOnlyWhereThePathNeedsItAndComesBackUnchanged)
{
    const struct {
        QString path, exec;
    } cases[] = {
        {"/opt/Tools/quillmap", "/opt/Tools/quillmap %f"},
        {"/opt/100%/quillmap", "/opt/100%%/quillmap %f"},
        {"/home/ann/my tools/quillmap", "\"/home/ann/my tools/quillmap\" %f"},
        {"/home/ann/50% off/q", "\"/home/ann/50%% off/q\" %f"},
        {"/a\"b/c$HOME`x`\\d", "\"/a\\\"b/c\\$HOME\\`x\\`\\\\d\" %f"},
    };
    const bool validator = !QStandardPaths::findExecutable("desktop-file-validate").isEmpty();
    QTemporaryDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QString exec = DesktopAssociation::execLine(c.path);
        EXPECT_EQ(exec, c.exec);
        EXPECT_EQ(DesktopAssociation::executableOfExecLine(exec), c.path);
        if (!validator) continue;
        QFile entry(folder.path() + "/quillmap.desktop");
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly | QIODevice::Truncate));
        entry.write(("[Desktop Entry]\nType=Application\nName=Quillmap\nExec=" + QString(exec).replace("\\", "\\\\") +
                     "\n").toUtf8());
        entry.close();
        QProcess check;
        check.start("desktop-file-validate", {entry.fileName()});
        ASSERT_TRUE(check.waitForFinished(30000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
    }
    EXPECT_EQ(DesktopAssociation::executableOfExecLine("/usr/bin/other %U"), "/usr/bin/other");
}

// Yes to the prompt, as the Linux registry layer carries it out, seen through the desktop's own
// tools; then a moved program and a default changed by the user bring the prompt back.
TEST(DesktopAssociation, RegisteringMakesQuillmapTheDesktopsProgramForQmpFiles)
{
    if (!desktopToolsPresent()) GTEST_SKIP() << "xdg-utils, shared-mime-info, desktop-file-utils or gtk-update-icon-cache missing";
    Desktop desktop;
    const QString exe = desktop.root.path() + "/my programs/quillmap";
    QtRegistry registry(desktop.root.path() + "/store", desktop.association());
    EXPECT_TRUE(NeedsAssociation(registry, exe));
    // An icon cache of the icons installed so far: none of Quillmap's.
    const QString icons = desktop.data() + "/icons/hicolor";
    ASSERT_TRUE(QDir().mkpath(icons + "/16x16/apps"));
    QFile other(icons + "/16x16/apps/other.png");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    desktop.run("gtk-update-icon-cache", {"--force", "--ignore-theme-index", "--quiet", icons});
    QFile cache(icons + "/icon-theme.cache");

    RegisterFileType(registry, exe);

    const QString project = desktop.root.path() + "/site.qmp";
    const QString unnamed = desktop.root.path() + "/no-extension";
    for (const QString& path : {project, unnamed}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Quillmap Project File\r\n2000\r\n");
    }
    EXPECT_EQ(desktop.run("xdg-mime", {"query", "filetype", project}), QmpMimeType);
    EXPECT_EQ(desktop.run("xdg-mime", {"query", "filetype", unnamed}), QmpMimeType);  // by its header line
    EXPECT_EQ(desktop.run("xdg-mime", {"query", "default", QmpMimeType}), QuillmapDesktopId);
    // xdg-open outside a desktop environment (xdg-utils 1.1.3 once failed on the blank) starts it.
    QFile program(exe);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(exe).path()) && program.open(QIODevice::WriteOnly));
    program.write(("#!/bin/sh\necho \"$1\" > '" + desktop.root.path() + "/opened'\n").toUtf8());
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
    desktop.run("env", {"-u", "XDG_CURRENT_DESKTOP", "-u", "DESKTOP_SESSION", "DISPLAY=:0", "xdg-open", project});
    QFile opened(desktop.root.path() + "/opened");
    EXPECT_TRUE(opened.open(QIODevice::ReadOnly) && opened.readAll().trimmed() == project.toUtf8());

    const QString entry = desktop.data() + "/applications/" + QuillmapDesktopId;
    EXPECT_EQ(desktop.run("desktop-file-validate", {entry}), "");
    EXPECT_TRUE(QFile::exists(icons + "/48x48/apps/quillmap.png"));
    ASSERT_TRUE(cache.open(QIODevice::ReadOnly));
    EXPECT_TRUE(cache.readAll().contains("quillmap"));
    EXPECT_EQ(registry.read(RegistryRoot::ClassesRoot, QmpOpenCommandKey, {}), associationCommandText(exe));
    EXPECT_FALSE(NeedsAssociation(registry, exe));

    EXPECT_TRUE(NeedsAssociation(registry, desktop.root.path() + "/moved/quillmap"));

    QFile editor(desktop.data() + "/applications/org.example.editor.desktop");
    ASSERT_TRUE(editor.open(QIODevice::WriteOnly));
    editor.write("[Desktop Entry]\nType=Application\nName=Editor\nExec=editor %f\nMimeType=text/plain;\n");
    editor.close();
    desktop.run("xdg-mime", {"default", "org.example.editor.desktop", QmpMimeType});
    EXPECT_EQ(registry.read(RegistryRoot::ClassesRoot, QmpExtensionKey, {}), "org.example.editor.desktop");
    EXPECT_TRUE(NeedsAssociation(registry, exe));
    RegisterFileType(registry, exe);
    EXPECT_FALSE(NeedsAssociation(registry, exe));

    // The never-ask mark stays in the store, beside the desktop's databases.
    storeNeverAsk(registry, "2.0");
    EXPECT_TRUE(neverAskStored(registry, "2.0"));
    EXPECT_TRUE(QFile::exists(desktop.root.path() + "/store/registry.ini"));
}

// An installed program: the system's desktop entry (the one that ships) names it bare, and the
// system's database makes it the type's default. The program must not ask again; a copy elsewhere
// still does.
TEST(DesktopAssociation, TheSystemsRegistrationOfAnInstalledProgramCounts)
{
    if (!desktopToolsPresent()) GTEST_SKIP() << "xdg-utils, shared-mime-info, desktop-file-utils or gtk-update-icon-cache missing";
    Desktop desktop;
    const QString system = desktop.root.path() + "/usr/share";
    const QString bin = desktop.root.path() + "/usr/bin";
    ASSERT_TRUE(QDir().mkpath(system + "/applications") && QDir().mkpath(bin));
    ASSERT_TRUE(QFile::copy(QUILLMAP_SOURCE_DIR "/assets/desktop/quillmap.desktop",
                            system + "/applications/" + QuillmapDesktopId));
    QFile program(bin + "/quillmap");
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\n");
    program.close();
    program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    desktop.run("update-desktop-database", {system + "/applications"});

    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toLocal8Bit() + ":" + path);
    QtRegistry registry(desktop.root.path() + "/store", DesktopAssociation(desktop.data(), desktop.config(), {system}));
    EXPECT_FALSE(NeedsAssociation(registry, bin + "/quillmap"));
    const QString elsewhere = desktop.root.path() + "/elsewhere/quillmap";
    EXPECT_TRUE(NeedsAssociation(registry, elsewhere));

    // A copy elsewhere registers itself for this user, in an entry that names it as TryExec ...
    const QString userEntry = desktop.data() + "/applications/" + QuillmapDesktopId;
    const QStringList userFiles = {userEntry, desktop.data() + "/mime/packages/quillmap.xml",
                                   desktop.data() + "/icons/hicolor/48x48/apps/quillmap.png"};
    RegisterFileType(registry, elsewhere);
    for (const QString& file : userFiles) EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
    QFile written(userEntry);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains(("\nTryExec=" + elsewhere + "\n").toUtf8()));
    EXPECT_TRUE(NeedsAssociation(registry, bin + "/quillmap"));
    // ... which the installed program takes away again: only the default stays the user's.
    desktop.run("xdg-mime", {"default", "org.example.editor.desktop", QmpMimeType});
    RegisterFileType(registry, bin + "/quillmap");
    for (const QString& file : userFiles) EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
    EXPECT_EQ(DesktopAssociation(desktop.data(), desktop.config(), {system}).defaultApplication(), QuillmapDesktopId);
    EXPECT_FALSE(NeedsAssociation(registry, bin + "/quillmap"));
    qputenv("PATH", path);
}
