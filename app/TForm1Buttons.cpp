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
    const QString outFolder = OutFolder();
    BuildMenu(tree, options, frmColors().styleSheetLines(), toFilePath(outFolder));
    lblStatus->say(builtText(tree, outFolder));

    // The name decides, not the caption, which a language file may change.
    if (Sender && Sender->objectName() == QLatin1String("btnBuild_Test")) {
        const ShellCommand page = testPageCommandIn(outFolder);
        ShellOpen(page.file, page.parameters, page.folder, page.showCommand);
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
