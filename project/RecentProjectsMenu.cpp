#include "project/RecentProjectsMenu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "project/RecentProjects.h"
#include "shell/ContextMenu.h"
#include "shell/EventGuard.h"
#include "text/Error.h"

namespace quillmap {

namespace {

const QString RecentKey = QStringLiteral("Software\\Quillmap\\Recent Projects");

QString valueName(std::size_t position) { return QStringLiteral("Project%1").arg(position + 1); }

RecentProjects readRecent(Registry& registry)
{
    std::vector<std::string> files;
    for (std::size_t i = 0; i < RecentProjects::Capacity; ++i)
        files.push_back(registry.read(RegistryRoot::CurrentUser, RecentKey, valueName(i)).toStdString());
    return RecentProjects(files);
}

// A store that cannot be written only costs the list its latest change: the open or save that
// asked for it has worked.
void writeRecent(Registry& registry, const RecentProjects& recent)
{
    try {
        const auto& files = recent.files();
        for (std::size_t i = 0; i < RecentProjects::Capacity; ++i)
            registry.write(RegistryRoot::CurrentUser, RecentKey, valueName(i),
                           i < files.size() ? QString::fromStdString(files[i]) : QString());
    } catch (const Error&) {
    }
}

}  // namespace

RecentProjectsMenu::RecentProjectsMenu(const Platform& platform, QWidget* openButton)
    : platform_(platform)
{
    popUpOpen = contextMenu(openButton, platform_.prompts, QStringLiteral("popUpOpen"), [this] { fillOpenMenu(); });
}

QStringList RecentProjectsMenu::recentProjects() const
{
    QStringList files;
    const RecentProjects recent = readRecent(platform_.registry);
    for (const std::string& file : recent.files()) files << QString::fromStdString(file);
    return files;
}

void RecentProjectsMenu::rememberRecentProject(const QString& fileName)
{
    RecentProjects recent = readRecent(platform_.registry);
    recent.add(QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()).toStdString());
    writeRecent(platform_.registry, recent);
}

// One entry per recent project, the newest first. A project that is gone leaves the list and
// its open reports the error as any open of a missing file does.
void RecentProjectsMenu::fillOpenMenu()
{
    popUpOpen->clear();
    const QStringList files = recentProjects();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString file = files[i];
        QString shown = QDir::toNativeSeparators(file);
        QAction* entry = popUpOpen->addAction(QStringLiteral("&%1 ").arg(i + 1) + shown.replace('&', "&&"));
        connectGuarded(entry, &QAction::triggered, this, platform_.prompts, [this, file] {
            if (!QFileInfo::exists(file)) {
                RecentProjects recent = readRecent(platform_.registry);
                recent.remove(file.toStdString());
                writeRecent(platform_.registry, recent);
            }
            emit openRequested(file);
        });
    }
    if (files.isEmpty()) popUpOpen->addAction(QStringLiteral("No recent projects"))->setEnabled(false);
    if (!furtherEntries_.isEmpty()) popUpOpen->addSeparator();
    popUpOpen->addActions(furtherEntries_);
}

}  // namespace quillmap
