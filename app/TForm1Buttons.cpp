// The main window's own buttons: "Build" and "Build and Test", Colors, Help, Browse "Out", and
// the start-up association check.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <vector>

#include "text/LocalText.h"
#include "app/TForm1.h"
#include "generator/MenuBuild.h"
#include "generator/OutFolder.h"
#include "site/SiteStartPage.h"
#include "shell/Association.h"
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

}  // namespace

void TForm1::btnBuildTestClick(QObject* Sender)
{
    const ItemTree& tree = document_->tree();
    if (tree.empty()) {
        platform_.prompts.message(QString::fromStdString(messages.noItemsToBuild));
        return;
    }
    BusyState busy({btnBuild_Test, btnBuild, btnBrowseOUT});

    const GlobalOptions options{document_->model().bytes(txtTFRAME->text()), chkUSETEXTLINKS->isChecked(),
                                chkAutoClose->isChecked()};
    frmColors().BuildStyleSheet();
    // The name decides, not the caption, which a language file may change.
    const bool test = Sender && Sender->objectName() == QLatin1String("btnBuild_Test");
    if (!document_->site.empty()) {
        buildSite(options, test);
        return;
    }
    const QString outFolder = OutFolder();
    BuildMenu(tree, options, frmColors().styleSheetLines(), toFilePath(outFolder));

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
    // TODO: with document_->site.writePages on, the menu goes into the site's marked pages here
    // (writeMenuIntoPages, generator/MenuPages.h); until that is connected Build writes no page.
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

void TForm1::btnBrowseOUTClick() { execute(platform_.shell, browseFolderCommand(OutFolder())); }

QString TForm1::OutFolder() const { return fromFilePath(resolveOutFolder(OutFolderOf(toFilePath(AppFolder)))); }

}  // namespace quillmap
