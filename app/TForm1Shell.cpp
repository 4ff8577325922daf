// The main window's shell commands and the start-up association check.
#include <QCoreApplication>

#include "app/TForm1.h"
#include "shell/Association.h"
#include "shell/TfrmAskToAssociate.h"

namespace quillmap {

void TForm1::runAssociationCheck()
{
    if (!frmAskToAssociate) return;
    quillmap::runAssociationCheck(platform_.registry, QCoreApplication::applicationFilePath(), VersionText,
                                  *frmAskToAssociate);
}

void TForm1::btnMoreHelpClick()
{
    const ShellCommand help = helpCommand(AppFolder);
    ShellOpen(help.file, help.parameters, help.folder, help.showCommand);
}

void TForm1::btnBrowseOUTClick()
{
    execute(platform_.shell, browseOutCommand(AppFolder));
}

}  // namespace quillmap
