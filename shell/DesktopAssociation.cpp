#include "shell/DesktopAssociation.h"

#include <algorithm>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include "text/Error.h"
#include "shell/Pictures.h"

namespace quillmap {

namespace {

const char* const MimeappsGroup = "[Default Applications]";

[[noreturn]] void fail(const QString& what, const QString& reason)
{
    throw Error(("Cannot register the .qmp file type: " + what + ": " + reason).toLocal8Bit().toStdString());
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) fail(QDir::toNativeSeparators(folder), "the folder cannot be created");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        fail(QDir::toNativeSeparators(path), file.errorString());
}

QString xmlEscaped(const QString& text) { return text.toHtmlEscaped(); }

QByteArray mimePackage(const QString& description)
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>%2</comment>\n"
               "    <sub-class-of type=\"text/plain\"/>\n"
               "    <glob pattern=\"*.qmp\"/>\n"
               "    <magic priority=\"50\">\n"
               "      <match type=\"string\" offset=\"0\" value=\"Quillmap Project File\"/>\n"
               "    </magic>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(QmpMimeType, xmlEscaped(description))
        .toUtf8();
}

// Desktop entry values escape a backslash as \\ (and know \s, \n, \t, \r).
QString entryEscaped(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

QString entryUnescaped(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar e = text[++i];
        out += e == 's' ? QChar(' ') : e == 'n' ? QChar('\n') : e == 't' ? QChar('\t') : e == 'r' ? QChar('\r') : e;
    }
    return out;
}

QByteArray desktopEntry(const QString& executablePath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quillmap\n"
                          "GenericName=Tree Menu Builder\n"
                          "Comment=Builds collapsible navigation tree menus for web pages\n"
                          "Exec=%1\n"
                          "TryExec=%2\n"
                          "Icon=%3\n"
                          "MimeType=%4;\n"
                          "Categories=Development;WebDevelopment;\n"
                          "Terminal=false\n")
        .arg(entryEscaped(DesktopAssociation::execLine(executablePath)), entryEscaped(executablePath), QuillmapIconName,
             QmpMimeType)
        .toUtf8();
}

// The value of key in group of an INI-like desktop file; empty when missing.
QString groupValue(const QString& path, const QString& group, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    bool inGroup = false;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith('[')) {
            inGroup = line == group;
            continue;
        }
        if (!inGroup) continue;
        const qsizetype eq = line.indexOf('=');
        if (eq > 0 && line.left(eq).trimmed() == key) return line.mid(eq + 1).trimmed();
    }
    return {};
}

// mimeapps.list with the type's default set to the desktop entry; other lines stay.
QString withDefault(const QString& text, const QString& type, const QString& desktopId)
{
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    const QString entry = type + "=" + desktopId + ";";
    qsizetype group = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line == MimeappsGroup) {
            group = i;
        } else if (group >= 0 && line.startsWith('[')) {
            break;
        } else if (group >= 0 && line.section('=', 0, 0).trimmed() == type) {
            lines[i] = entry;
            return lines.join('\n') + '\n';
        }
    }
    if (group < 0) {
        lines << MimeappsGroup;
        group = lines.size() - 1;
    }
    lines.insert(group + 1, entry);
    return lines.join('\n') + '\n';
}

// The program an Exec line starts, as a full path: an installed program's entry names it bare
// ("quillmap"), found on the PATH; links are followed, so that /bin and /usr/bin name one program.
QString resolvedExecutable(const QString& program)
{
    if (program.isEmpty()) return program;
    const QString path = program.contains('/') ? program : QStandardPaths::findExecutable(program);
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    // A link to a program that has gone names the place it had.
    if (canonical.isEmpty() && file.isSymLink()) return file.symLinkTarget();
    return canonical.isEmpty() ? program : canonical;
}

// A path holding one of the characters the desktop-entry format reserves goes in quotes.
bool needsQuotesInExec(const QString& path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    return std::any_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); });
}

}  // namespace

DesktopAssociation::DesktopAssociation(QString dataHome, QString configHome, QStringList dataDirs)
    : dataHome_(std::move(dataHome)), configHome_(std::move(configHome)), dataDirs_(std::move(dataDirs))
{
}

DesktopAssociation DesktopAssociation::forCurrentUser()
{
    const auto folder = [](const char* variable, const QString& fallback) {
        const QString value = qEnvironmentVariable(variable);
        return QDir::isAbsolutePath(value) ? value : fallback;
    };
    const QString home = QDir::homePath();
    QStringList dataDirs = qEnvironmentVariable("XDG_DATA_DIRS").split(':', Qt::SkipEmptyParts);
    if (dataDirs.isEmpty()) dataDirs = {"/usr/local/share", "/usr/share"};
    return {folder("XDG_DATA_HOME", home + "/.local/share"), folder("XDG_CONFIG_HOME", home + "/.config"), dataDirs};
}

// The program path goes in quotes only when it holds one of the characters the desktop-entry
// format reserves: launchers such as xdg-open of xdg-utils 1.1.3 take a quoted path, quotes
// and all, for the program's name. A literal % is written %%, also inside quotes.
QString DesktopAssociation::execLine(const QString& executablePath)
{
    const bool needsQuotes = needsQuotesInExec(executablePath);
    QString written;
    for (const QChar c : executablePath) {
        if (needsQuotes && (c == '"' || c == '`' || c == '$' || c == '\\')) written += '\\';
        written += c;
        if (c == '%') written += '%';
    }
    return needsQuotes ? "\"" + written + "\" %f" : written + " %f";
}

QString DesktopAssociation::executableOfExecLine(const QString& exec)
{
    QString path;
    qsizetype i = 0;
    if (exec.startsWith('"')) {
        for (i = 1; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
            path += exec[i];
        }
    } else {
        path = exec.section(' ', 0, 0);
    }
    return path.replace("%%", "%");
}

QString DesktopAssociation::runTool(const QString& tool, const QStringList& arguments, bool* ran) const
{
    if (ran) *ran = false;
    if (QStandardPaths::findExecutable(tool).isEmpty()) return {};
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dataHome_);
    environment.insert("XDG_CONFIG_HOME", configHome_);
    environment.insert("XDG_DATA_DIRS", dataDirs_.join(':'));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(tool, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (ran) *ran = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// A program installed system-wide has its desktop entry, MIME package and icons in the system's
// folders, where the package manager removes them again. Per-user copies would outlive the
// package and hide the system's entry, so the user's own registration only chooses the default.
void DesktopAssociation::install(const QString& executablePath, const QString& description) const
{
    const QString system = systemExecutable();
    if (!system.isEmpty() && system == resolvedExecutable(executablePath)) {
        removeUserRegistration();
        if (defaultApplication() != QuillmapDesktopId) makeDefault();
        return;
    }
    writeFile(dataHome_ + "/mime/packages/quillmap.xml", mimePackage(description));
    writeFile(dataHome_ + "/applications/" + QuillmapDesktopId, desktopEntry(launcher(executablePath)));
    installIcon();
    // An icon cache made before would hide the new icons until it is made again.
    const QString icons = dataHome_ + "/icons/hicolor";
    if (QFile::exists(icons + "/icon-theme.cache"))
        runTool("gtk-update-icon-cache", {"--force", "--ignore-theme-index", "--quiet", icons});
    runTool("update-mime-database", {dataHome_ + "/mime"});
    runTool("update-desktop-database", {dataHome_ + "/applications"});
    makeDefault();
}

// xdg-open of xdg-utils 1.1.3 (Debian 12) takes the Exec line's first blank-separated word for
// the program, quotes and %% included. A program whose path needs quoting or escaping is started
// through a link beside the user's data instead, whose own path needs neither where it can.
QString DesktopAssociation::launcher(const QString& executablePath) const
{
    const QString folder = dataHome_ + "/quillmap";
    const QString link = folder + "/quillmap";
    const auto plain = [](const QString& path) { return !needsQuotesInExec(path) && !path.contains('%'); };
    if (plain(executablePath) || !plain(link)) return executablePath;
    QFile::remove(link);
    if (!QDir().mkpath(folder) || !QFile::link(executablePath, link)) return executablePath;
    return link;
}

void DesktopAssociation::installIcon() const
{
    for (int size : pictures::DesktopIconSizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        pictures::windowIconImage(size).save(&buffer, "PNG");
        writeFile(QStringLiteral("%1/icons/hicolor/%2x%2/apps/%3.png").arg(dataHome_).arg(size).arg(QuillmapIconName),
                  png);
    }
}

// xdg-mime knows the desktop in use; without it the user's mimeapps.list is written directly.
void DesktopAssociation::makeDefault() const
{
    bool done = false;
    runTool("xdg-mime", {"default", QuillmapDesktopId, QmpMimeType}, &done);
    if (done) return;
    const QString path = configHome_ + "/mimeapps.list";
    QFile existing(path);
    QString text;
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) fail(QDir::toNativeSeparators(path), existing.errorString());
        text = QString::fromUtf8(existing.readAll());
    }
    writeFile(path, withDefault(text, QmpMimeType, QuillmapDesktopId).toUtf8());
}

QString DesktopAssociation::defaultApplication() const
{
    if (!QStandardPaths::findExecutable("xdg-mime").isEmpty())
        return runTool("xdg-mime", {"query", "default", QmpMimeType}).section('\n', 0, 0).trimmed();
    return groupValue(configHome_ + "/mimeapps.list", MimeappsGroup, QmpMimeType).section(';', 0, 0).trimmed();
}

QString DesktopAssociation::registeredExecutable() const { return executableOfEntryIn(QStringList{dataHome_} + dataDirs_); }

QString DesktopAssociation::systemExecutable() const { return executableOfEntryIn(dataDirs_); }

QString DesktopAssociation::executableOfEntryIn(const QStringList& folders) const
{
    for (const QString& folder : folders) {
        const QString entry = folder + "/applications/" + QuillmapDesktopId;
        if (!QFile::exists(entry)) continue;
        return resolvedExecutable(executableOfExecLine(entryUnescaped(groupValue(entry, "[Desktop Entry]", "Exec"))));
    }
    return {};
}

// What install() writes into the user's own folders for a program that is not installed.
void DesktopAssociation::removeUserRegistration() const
{
    bool removed = false;
    const auto remove = [&](const QString& path) { removed = QFile::remove(path) || removed; };
    remove(dataHome_ + "/applications/" + QuillmapDesktopId);
    remove(dataHome_ + "/mime/packages/quillmap.xml");
    remove(dataHome_ + "/quillmap/quillmap");
    for (int size : pictures::DesktopIconSizes)
        remove(QStringLiteral("%1/icons/hicolor/%2x%2/apps/%3.png").arg(dataHome_).arg(size).arg(QuillmapIconName));
    if (!removed) return;
    const QString icons = dataHome_ + "/icons/hicolor";
    if (QFile::exists(icons + "/icon-theme.cache"))
        runTool("gtk-update-icon-cache", {"--force", "--ignore-theme-index", "--quiet", icons});
    runTool("update-mime-database", {dataHome_ + "/mime"});
    runTool("update-desktop-database", {dataHome_ + "/applications"});
}

}  // namespace quillmap
