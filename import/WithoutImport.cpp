// The import and link check commands of a build without the site import (a cross build for a
// system that lacks its libraries): their actions and the link check's results window exist, so
// the language file still names them, but no menu or shortcut offers them.
#include <QAction>

#include "import/ImportCommands.h"
#include "import/LinkCheckCommands.h"

namespace quillmap {

ImportCommands::ImportCommands(ProjectDocument& document, const Platform& platform, PropertiesPanel& properties,
                               Tree2View* tree, QString appFolder, QObject* parent)
    : QObject(parent), document_(document), platform_(platform), properties_(properties), Tree2(tree),
      appFolder_(std::move(appFolder))
{
    mnuImportFolder = new QAction(this);
    mnuImportSitemap = new QAction(this);
}

QList<QAction*> ImportCommands::menuEntries() const { return {}; }

void ImportCommands::mnuImportFolderClick() {}

void ImportCommands::mnuImportSitemapClick() {}

LinkCheckCommands::LinkCheckCommands(ProjectDocument& document, const Platform& platform,
                                     PropertiesPanel& properties, Tree2View* tree, QWidget* window)
    : QObject(window), document_(document), platform_(platform), properties_(properties), Tree2(tree)
{
    mnuCheckLinks = new QAction(this);
    mnuCheckLinks->setObjectName(QStringLiteral("mnuCheckLinks"));
    mnuCheckLinksBelow = new QAction(this);
    mnuCheckLinksBelow->setObjectName(QStringLiteral("mnuCheckLinksBelow"));
    frmLinkCheck = new LinkCheckResults(window);
}

QList<QAction*> LinkCheckCommands::menuEntries() const { return {}; }

QList<QAction*> LinkCheckCommands::openMenuEntries() const { return {}; }

}  // namespace quillmap
