// The main window's own buttons: "Build" and "Build and Test", Colors, Help, Browse "Out", and
// the start-up association check.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <vector>

#include "text/LocalText.h"
#include "text/TextFile.h"
#include "app/TForm1.h"
#include "generator/MenuBuild.h"
#include "generator/MenuPages.h"
#include "generator/OutFolder.h"
#include "generator/ShippedFiles.h"
#include "site/SiteStartPage.h"
#include "shell/Association.h"
#include "shell/StatusLine.h"
#include "shell/TfrmAskToAssociate.h"
#include "styles/TfrmColors.h"

namespace quillmap {

namespace {

// The hourglass and the three disabled buttons of a running build, undone on every exit,
// normal or by an error, in the order they were made.
class BusyState {
public:
    explicit BusyState(std::vector<QWidget*> buttons) : buttons_(std::move(buttons))
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        for (QWidget* button : buttons_) button->setEnabled(false);
    }
    ~BusyState()
    {
        QApplication::restoreOverrideCursor();
        for (QWidget* button : buttons_) button->setEnabled(true);
    }
    BusyState(const BusyState&) = delete;
    BusyState& operator=(const BusyState&) = delete;

private:
    std::vector<QWidget*> buttons_;
};

// Where the menu went, how large it is, and what the user may want to look at: documents that
// link nowhere.
QString builtText(const ItemTree& tree, const QString& folder)
{
    std::size_t withoutLink = 0;
    for (const Node* node : tree.preorder())
        if (node->isDocument() && (!node->record() || node->record()->URL.empty())) ++withoutLink;
    const QString warnings = withoutLink == 0 ? QStringLiteral("no warnings")
                             : withoutLink == 1
                                 ? QStringLiteral("1 warning (1 document has no link)")
                                 : QStringLiteral("%1 warnings (%1 documents have no link)").arg(withoutLink);
    return QStringLiteral("Menu built: %1 items, %2,\nin %3.")
        .arg(tree.size())
        .arg(warnings, QDir::toNativeSeparators(folder));
}

}  // namespace

void TForm1::btnBuildTestClick(QObject* Sender)
{
    const ItemTree& tree = document_->tree();
    if (tree.empty()) {
        platform_.prompts.message(QString::fromStdString(messages.noItemsToBuild));
        return;
    }
    BusyState busy({btnBuild_Test, btnBuild, btnBrowseOUT});
    lblStatus->forget();

    const GlobalOptions options{document_->model().bytes(txtTFRAME->text()), chkUSETEXTLINKS->isChecked(),
                                chkAutoClose->isChecked()};
    frmColors().BuildStyleSheet();
    // The name decides, not the caption, which a language file may change.
    const bool test = Sender && Sender->objectName() == QLatin1String("btnBuild_Test");
    if (!document_->site.empty()) {
        buildSite(options, test);
        return;
    }
    const std::filesystem::path shipped = OutFolderOf(toFilePath(AppFolder));
    const QString outFolder = fromFilePath(resolveOutFolder(shipped, linkedShippedFolders(pathText(shipped), tree)));
    BuildMenu(tree, options, frmColors().styleSheetLines(), toFilePath(outFolder));
    lblStatus->say(builtText(tree, outFolder));

    if (test) {
        const ShellCommand page = testPageCommandIn(outFolder);
        ShellOpen(page.file, page.parameters, page.folder, page.showCommand);
    }
}

// The window keeps the site's folders absolute: nothing to resolve them against.
void TForm1::buildSite(const GlobalOptions& options, bool test)
{
    const SiteFolders site = resolveSite(document_->site, {});
    BuildSiteMenu(document_->tree(), options, frmColors().styleSheetLines(),
                  {site.menu, site.menuInSite, OutFolderOf(toFilePath(AppFolder))});
    QString status = builtText(document_->tree(), fromFilePath(site.menu));
    if (document_->site.writePages) {
        const MenuPagesReport pages = writeMenuIntoPages(document_->tree(), options, site.site, site.menuInSite);
        status += QStringLiteral("\nMarked pages: %1 written, %2 unchanged, %3 failed.")
                      .arg(pages.changed.size())
                      .arg(pages.unchanged.size())
                      .arg(pages.failed.size());
        if (!pages.failed.empty()) {
            QString failed = QStringLiteral("The menu could not be written into these pages:");
            for (const MenuPagesReport::Problem& page : pages.failed)
                failed += QStringLiteral("\n%1: %2").arg(fromFilePath(pathFromText(page.page)), QString::fromStdString(page.reason));
            platform_.prompts.message(failed);
        }
    }
    lblStatus->say(status);
    if (test) {
        const std::filesystem::path page = siteStartPage(site);
        ShellOpen(QDir::toNativeSeparators(fromFilePath(page)), QString(),
                  QDir::toNativeSeparators(fromFilePath(page.parent_path())), ShowDefault);
    }
}

void TForm1::btnColorsClick() { frmColors().showCentredOver(this); }

void TForm1::runAssociationCheck()
{
    if (!frmAskToAssociate) return;
    quillmap::runAssociationCheck(platform_.registry, QCoreApplication::applicationFilePath(), VersionText,
                                  *frmAskToAssociate);
}

void TForm1::mnuRegisterClick()
{
    if (frmAskToAssociate) frmAskToAssociate->exec();
}

void TForm1::btnMoreHelpClick()
{
    const ShellCommand help = helpCommand(AppFolder);
    ShellOpen(help.file, help.parameters, help.folder, help.showCommand);
}

void TForm1::btnBrowseOUTClick()
{
    const ShellCommand browse = browseFolderCommand(OutFolder());
    if (!execute(platform_.shell, browse)) reportNotOpened(browse.file);
}

QString TForm1::OutFolder() const { return fromFilePath(resolveOutFolder(OutFolderOf(toFilePath(AppFolder)))); }

}  // namespace quillmap
