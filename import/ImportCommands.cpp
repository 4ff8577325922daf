// The main window's import of a site folder or a sitemap: the dialogs, the progress dialog, and
// the imported items added under the selected folder as one step.
#include <QMenu>
#include <atomic>
#include <chrono>
#include <future>

#include "text/LocalText.h"
#include "app/TForm1.h"
#include "text/TextFile.h"
#include "import/SiteImporter.h"

namespace quillmap {

namespace {

const QString SitemapFilter = QStringLiteral("Sitemaps (*.xml)|*.xml|All Files (*.*)|*.*");

// The folder of a file name, with its trailing separator.
QString folderOf(const QString& fileName) { return fileName.left(fileName.size() - fileNameOf(fileName).size()); }

}  // namespace

// The entries are added to the open button's and the tree's menus each time they open.
void TForm1::setUpImportActions()
{
    mnuImportFolder = new QAction(QStringLiteral("Import site folder..."), this);
    mnuImportFolder->setObjectName(QStringLiteral("mnuImportFolder"));
    mnuImportSitemap = new QAction(QStringLiteral("Import sitemap..."), this);
    mnuImportSitemap->setObjectName(QStringLiteral("mnuImportSitemap"));
    connect(mnuImportFolder, &QAction::triggered, this, [this] { guard([this] { mnuImportFolderClick(); }); });
    connect(mnuImportSitemap, &QAction::triggered, this, [this] { guard([this] { mnuImportSitemapClick(); }); });
}

void TForm1::addImportEntries(QMenu* menu)
{
    if (!menu->isEmpty()) menu->addSeparator();
    menu->addAction(mnuImportFolder);
    menu->addAction(mnuImportSitemap);
}

void TForm1::mnuImportFolderClick()
{
    const QString start = ProjectFileName.isEmpty() ? AppFolder : folderOf(ProjectFileName);
    const QString site = platform_.prompts.chooseFolder(QStringLiteral("Import site folder"), start);
    if (site.isEmpty()) return;
    const QString base = platform_.prompts.chooseFolder(
        QStringLiteral("Links relative to: the folder of the page that will show the menu"), site);
    if (base.isEmpty()) return;
    importSite([&](ImportOptions& options) {
        options.base = toFilePath(base);
        return SiteImporter(options).importFolder(toFilePath(site));
    });
}

void TForm1::mnuImportSitemapClick()
{
    Prompts::FileDialogOptions dialog;
    dialog.folder = ProjectFileName.isEmpty() ? AppFolder : folderOf(ProjectFileName);
    dialog.filter = SitemapFilter;
    dialog.defaultSuffix = QStringLiteral("xml");
    const QString sitemap = platform_.prompts.openFileName(dialog);
    if (sitemap.isEmpty()) return;
    const QString sitemapFolder = folderOf(sitemap);
    const QString site = platform_.prompts.chooseFolder(
        QStringLiteral("Site folder, for the pages' titles (Cancel: captions from the addresses)"), sitemapFolder);
    const QString base = platform_.prompts.chooseFolder(
        QStringLiteral("Links relative to: the folder of the page that will show the menu"),
        site.isEmpty() ? sitemapFolder : site);
    if (base.isEmpty()) return;
    importSite([&](ImportOptions& options) {
        options.base = toFilePath(base);
        if (!site.isEmpty()) options.siteFolder = toFilePath(site);
        return SiteImporter(options).importSitemap(toFilePath(sitemap));
    });
}

// The import runs on a thread of its own, so that the window keeps drawing itself and the
// progress dialog answers at once, however long one step of the import takes. A cancel adds
// nothing, even when the import has just finished.
void TForm1::importSite(const std::function<std::optional<ImportResult>(ImportOptions&)>& run)
{
    std::optional<ImportResult> result;
    {
        const std::unique_ptr<Progress> progress = platform_.prompts.showProgress(QStringLiteral("Importing pages..."));
        std::atomic<std::size_t> done{0};
        std::atomic<std::size_t> total{0};
        std::atomic<bool> stop{false};
        ImportOptions options;
        options.encoding = model_->encoding();
        options.progress = [&](std::size_t pagesDone, std::size_t pages) {
            done = pagesDone;
            total = pages;
            return !stop;
        };
        auto work = std::async(std::launch::async, [&] { return run(options); });
        do {
            if (!stop && !progress->update(static_cast<qint64>(done.load()), static_cast<qint64>(total.load())))
                stop = true;
        } while (work.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready);
        result = work.get();
        if (stop) result.reset();
    }
    if (!result) return;

    // Under the selected folder, or the folder of the selected document; the root when nothing
    // is selected; a new root on an empty tree.
    Node* parent = selectedNode();
    if (parent && parent->isDocument()) parent = parent->parent();
    if (!parent) parent = tree().root();
    Node* added = model_->insertSubtree(parent, result->items->detach(result->items->root()));
    recordAddedItem(added);
    selectNode(added);
    showPropertiesOf(added);
    platform_.prompts.message(QString::fromUtf8(result->report.summary()));
}

}  // namespace quillmap
