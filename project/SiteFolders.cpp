#include "project/SiteFolders.h"

#include <QFileInfo>
#include <QVariantMap>

#include "shell/SettingsStore.h"
#include "text/LocalText.h"
#include "text/TextFile.h"

namespace quillmap {

namespace {

const QString SiteFoldersKey = QStringLiteral("LinkCheck/siteFolders");
QString unsavedProjectSite;

QString keyOf(const QString& projectFile) { return QFileInfo(projectFile).absoluteFilePath(); }

}  // namespace

QString rememberedSiteFolder(const QString& projectFile)
{
    if (projectFile.isEmpty()) return unsavedProjectSite;
    return settingsStore().value(SiteFoldersKey).toMap().value(keyOf(projectFile)).toString();
}

void rememberSiteFolder(const QString& projectFile, const QString& folder)
{
    if (projectFile.isEmpty()) {
        unsavedProjectSite = folder;
        return;
    }
    QSettings settings = settingsStore();
    QVariantMap folders = settings.value(SiteFoldersKey).toMap();
    folders.insert(keyOf(projectFile), folder);
    settings.setValue(SiteFoldersKey, folders);
}

QString siteFolderFor(const ProjectSite& site, const QString& projectFile)
{
    if (site.empty()) return rememberedSiteFolder(projectFile);
    return fromFilePath(pathFromText(site.siteFolder));
}

}  // namespace quillmap
