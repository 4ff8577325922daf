// The main window's import of a site folder or a sitemap: the dialogs, the progress dialog, and
// the imported items added under the selected folder as one step.
#include <QMenu>

#include "app/LocalText.h"
#include "app/TForm1.h"
#include "app/TextFile.h"
#include "import/SiteImporter.h"

namespace quillmap {

namespace {

const QString SitemapFilter = QStringLiteral("Sitemaps (*.xml)|*.xml|All Files (*.*)|*.*");

// Captions are stored in the encoding the window reads its texts in.
TextEncoding windowTextEncoding()
{
    return QString::fromLocal8Bit("\xC3\xA9") == QString(QChar(0xE9)) ? TextEncoding::Utf8 : TextEncoding::CodePage;
}

std::filesystem::path pathOf(const QString& name) { return std::filesystem::path(local8Bit(name)); }

}  // namespace

void TForm1::setUpImportMenus()
{
    popUpOpen = new QMenu(this);
    popUpOpen->setObjectName(QStringLiteral("popUpOpen"));
    btnOPEN->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(btnOPEN, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { guard([&] { popUpOpen->popup(btnOPEN->mapToGlobal(at)); }); });

    popUpTree = new QMenu(this);
    popUpTree->setObjectName(QStringLiteral("popUpTree"));
    Tree2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Tree2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { guard([&] { popUpTree->popup(Tree2->viewport()->mapToGlobal(at)); }); });

    mnuImportFolder = new QAction(QStringLiteral("Import site folder..."), this);
    mnuImportFolder->setObjectName(QStringLiteral("mnuImportFolder"));
    mnuImportSitemap = new QAction(QStringLiteral("Import sitemap..."), this);
    mnuImportSitemap->setObjectName(QStringLiteral("mnuImportSitemap"));
    connect(mnuImportFolder, &QAction::triggered, this, [this] { guard([this] { mnuImportFolderClick(); }); });
    connect(mnuImportSitemap, &QAction::triggered, this, [this] { guard([this] { mnuImportSitemapClick(); }); });
    addImportEntries(popUpOpen);
    addImportEntries(popUpTree);
}

void TForm1::addImportEntries(QMenu* menu)
{
    if (!menu->isEmpty()) menu->addSeparator();
    menu->addAction(mnuImportFolder);
    menu->addAction(mnuImportSitemap);
}

void TForm1::mnuImportFolderClick()
{
    const QString start = ProjectFileName.isEmpty() ? AppFolder : fromLocal8Bit(folderPart(local8Bit(ProjectFileName)));
    const QString site = platform_.prompts.chooseFolder(QStringLiteral("Import site folder"), start);
    if (site.isEmpty()) return;
    const QString base = platform_.prompts.chooseFolder(
        QStringLiteral("Links relative to: the folder of the page that will show the menu"), site);
    if (base.isEmpty()) return;
    importSite([&](ImportOptions& options) {
        options.base = pathOf(base);
        return SiteImporter(options).importFolder(pathOf(site));
    });
}

void TForm1::mnuImportSitemapClick()
{
    Prompts::FileDialogOptions dialog;
    dialog.folder = ProjectFileName.isEmpty() ? AppFolder : fromLocal8Bit(folderPart(local8Bit(ProjectFileName)));
    dialog.filter = SitemapFilter;
    dialog.defaultSuffix = QStringLiteral("xml");
    const QString sitemap = platform_.prompts.openFileName(dialog);
    if (sitemap.isEmpty()) return;
    const QString sitemapFolder = fromLocal8Bit(folderPart(local8Bit(sitemap)));
    const QString site = platform_.prompts.chooseFolder(
        QStringLiteral("Site folder, for the pages' titles (Cancel: captions from the addresses)"), sitemapFolder);
    const QString base = platform_.prompts.chooseFolder(
        QStringLiteral("Links relative to: the folder of the page that will show the menu"),
        site.isEmpty() ? sitemapFolder : site);
    if (base.isEmpty()) return;
    importSite([&](ImportOptions& options) {
        options.base = pathOf(base);
        if (!site.isEmpty()) options.siteFolder = pathOf(site);
        return SiteImporter(options).importSitemap(pathOf(sitemap));
    });
}

void TForm1::importSite(const std::function<std::optional<ImportResult>(ImportOptions&)>& run)
{
    std::optional<ImportResult> result;
    {
        const std::unique_ptr<Progress> progress = platform_.prompts.showProgress(QStringLiteral("Importing pages..."));
        ImportOptions options;
        options.encoding = windowTextEncoding();
        options.progress = [&](std::size_t done, std::size_t total) {
            return progress->update(static_cast<qint64>(done), static_cast<qint64>(total));
        };
        result = run(options);
    }
    if (!result) return;

    // Under the selected folder, or the folder of the selected document; the root when nothing
    // is selected; a new root on an empty tree.
    Node* parent = selectedNode();
    if (parent && parent->isDocument()) parent = parent->parent();
    if (!parent) parent = tree().root();
    Node* added = model_->insertSubtree(parent, result->items->detach(result->items->root()));
    selectNode(added);
    showPropertiesOf(added);
    SetSaved(false);
    platform_.prompts.message(fromLocal8Bit(result->report.summary()));
}

}  // namespace quillmap
