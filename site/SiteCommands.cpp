#include "site/SiteCommands.h"

#include <QAction>
#include <QFileInfo>

#include "shell/EventGuard.h"
#include "site/TfrmSite.h"
#include "undo/SiteChange.h"

namespace quillmap {

const QKeySequence SiteCommands::SiteKey(Qt::CTRL | Qt::SHIFT | Qt::Key_E);

SiteCommands::SiteCommands(ProjectDocument& document, const Platform& platform, QWidget* window)
    : QObject(window), mnuSite(new QAction(QStringLiteral("&Site..."), this)),
      frmSite(new TfrmSite(platform, window)), document_(document), platform_(platform)
{
    mnuSite->setObjectName(QStringLiteral("mnuSite"));
    mnuSite->setShortcut(SiteKey);
    mnuSite->setShortcutContext(Qt::WindowShortcut);
    connectGuarded(mnuSite, &QAction::triggered, this, platform_.prompts, [this] { editSite(); });
}

void SiteCommands::editSite()
{
    const QString& file = document_.ProjectFileName;
    frmSite->showSite(document_.site, file.isEmpty() ? QString() : QFileInfo(file).absolutePath());
    if (frmSite->exec() != QDialog::Accepted) return;
    const ProjectSite before = document_.site;
    const ProjectSite after = frmSite->chosenSite();
    if (after == before) return;
    document_.site = after;
    document_.recordChange(new SiteChange(document_, before, after));
}

}  // namespace quillmap
