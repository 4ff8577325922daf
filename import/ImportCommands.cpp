#include "import/ImportCommands.h"

#include <QAction>

#include "import/ContentsOutline.h"
#include "import/SiteImporter.h"
#include "project/ProjectSite.h"
#include "project/SiteFolders.h"
#include "shell/DialogFolder.h"
#include "shell/EventGuard.h"
#include "shell/WorkWithProgress.h"
#include "text/LocalText.h"
#include "text/TextFile.h"
#include "tree/PropertiesPanel.h"
#include "tree/Tree2View.h"

namespace quillmap {

namespace {

const QString SitemapFilter = QStringLiteral("Sitemaps (*.xml)|*.xml|All Files (*.*)|*.*");

// The folder of a file name, with its trailing separator.
QString folderOf(const QString& fileName) { return fileName.left(fileName.size() - fileNameOf(fileName).size()); }

}  // namespace

ImportCommands::ImportCommands(ProjectDocument& document, const Platform& platform, PropertiesPanel& properties,
                               Tree2View* tree, QString appFolder, QObject* parent)
    : QObject(parent), document_(document), platform_(platform), properties_(properties), Tree2(tree),
      appFolder_(std::move(appFolder))
{
    mnuImportFolder = new QAction(QStringLiteral("Import site folder..."), this);
    mnuImportFolder->setObjectName(QStringLiteral("mnuImportFolder"));
    mnuImportSitemap = new QAction(QStringLiteral("Import sitemap..."), this);
    mnuImportSitemap->setObjectName(QStringLiteral("mnuImportSitemap"));
    connectGuarded(mnuImportFolder, &QAction::triggered, this, platform_.prompts, [this] { mnuImportFolderClick(); });
    connectGuarded(mnuImportSitemap, &QAction::triggered, this, platform_.prompts,
                   [this] { mnuImportSitemapClick(); });
}

QList<QAction*> ImportCommands::menuEntries() const { return {mnuImportFolder, mnuImportSitemap}; }

QString ImportCommands::startFolder() const
{
    const QString& project = document_.ProjectFileName;
    return project.isEmpty() ? dialogStartFolder(appFolder_) : folderOf(project);
}

QString ImportCommands::baseFolder(const QString& start, bool recordsSite) const
{
    // A site project's links are relative to its site folder; so are those of the site an import
    // makes the project's.
    if (!document_.site.empty()) return siteFolderFor(document_.site, document_.ProjectFileName);
    if (recordsSite) return start;
    return platform_.prompts.chooseFolder(
        QStringLiteral("Links relative to: the folder of the page that will show the menu"), start);
}

void ImportCommands::mnuImportFolderClick()
{
    const QString site = platform_.prompts.chooseFolder(QStringLiteral("Import site folder"), startFolder());
    if (site.isEmpty()) return;
    Prompts::SiteImportChoice preset;
    // Only a suggestion: a folder that cannot be looked through suggests nothing.
    try {
        if (const std::optional<std::string> guess = guessContentsPage(toFilePath(site)))
            preset.contentsPage = QString::fromStdString(*guess);
    } catch (const std::exception&) {
    }
    const std::optional<Prompts::SiteImportChoice> choice = platform_.prompts.chooseSiteImport(site, preset, siteImportTexts);
    if (!choice) return;
    const QString recorded = makesTheProject() ? site : QString();
    const QString base = baseFolder(site, !recorded.isEmpty());
    if (base.isEmpty()) return;
    importSite(recorded, [&](ImportOptions& options) {
        options.base = toFilePath(base);
        options.contentsPage = toFilePath(choice->contentsPage);
        options.keepTitles = choice->keepTitles;
        return SiteImporter(options).importFolder(toFilePath(site));
    });
}

void ImportCommands::mnuImportSitemapClick()
{
    Prompts::FileDialogOptions dialog;
    dialog.folder = startFolder();
    dialog.filter = SitemapFilter;
    dialog.defaultSuffix = QStringLiteral("xml");
    const QString sitemap = platform_.prompts.openFileName(dialog);
    if (sitemap.isEmpty()) return;
    const QString sitemapFolder = folderOf(sitemap);
    const QString site = platform_.prompts.chooseFolder(
        QStringLiteral("Site folder, for the pages' titles (Cancel: captions from the addresses)"), sitemapFolder);
    const QString recorded = makesTheProject() ? site : QString();
    const QString base = baseFolder(site.isEmpty() ? sitemapFolder : site, !recorded.isEmpty());
    if (base.isEmpty()) return;
    importSite(recorded, [&](ImportOptions& options) {
        options.base = toFilePath(base);
        if (!site.isEmpty()) options.siteFolder = toFilePath(site);
        return SiteImporter(options).importSitemap(toFilePath(sitemap));
    });
}

bool ImportCommands::makesTheProject() const { return document_.site.empty() && document_.tree().empty(); }

// A cancel adds nothing, even when the import has just finished.
void ImportCommands::importSite(const QString& recordedSite,
                                const std::function<std::optional<ImportResult>(ImportOptions&)>& run)
{
    const bool wholeProject = document_.tree().empty();
    ProjectSite site = document_.site;
    if (!recordedSite.isEmpty()) site = storedSite(toFilePath(recordedSite), toFilePath(recordedSite) / "menu", {});
    const std::optional<ImportResult> result =
        runWithProgress(platform_.prompts, QStringLiteral("Importing pages..."), [&](const ProgressReport& report) {
            ImportOptions options;
            options.encoding = document_.model().encoding();
            options.progress = report;
            if (!site.empty()) options.menuFolder = resolveSite(site, {}).menu;
            return run(options);
        });
    if (!result) return;

    // Under the selected folder, or the folder of the selected document; the root when nothing
    // is selected; a new root on an empty tree.
    Node* parent = Tree2->selectedNode();
    if (parent && parent->isDocument()) parent = parent->parent();
    if (!parent) parent = document_.tree().root();
    Node* added = document_.model().insertSubtree(parent, result->items->detach(result->items->root()));
    document_.recordAddedItem(added);
    document_.site = site;
    // The menu of a site without frames opens its links in place.
    if (wholeProject && result->withoutFrames) properties_.setTargetFrame({});
    Tree2->expandOpenFolders(added);
    Tree2->selectNode(added);
    properties_.showPropertiesOf(added);
    platform_.prompts.message(QString::fromUtf8(result->report.summary()));
}

}  // namespace quillmap
