#pragma once
// The main window's import of a site folder or a sitemap as a subtree: the dialogs, the progress
// dialog, and the imported items added under the selected folder as one step. Offered on the
// right-click menus of the open button and of the tree.
#include <QList>
#include <QObject>
#include <functional>
#include <optional>

#include "project/ProjectDocument.h"
#include "shell/Platform.h"

class QAction;

namespace quillmap {

class PropertiesPanel;
class Tree2View;
struct ImportOptions;
struct ImportResult;

class ImportCommands : public QObject {
    Q_OBJECT
public:
    // appFolder ends with a path separator.
    ImportCommands(ProjectDocument& document, const Platform& platform, PropertiesPanel& properties, Tree2View* tree,
                   QString appFolder, QObject* parent = nullptr);

    QAction* mnuImportFolder = nullptr;
    // The texts of the site import dialog, replaced by the language file's.
    Prompts::SiteImportTexts siteImportTexts;
    QAction* mnuImportSitemap = nullptr;
    // The entries the right-click menus offer: none in a build without the site import.
    QList<QAction*> menuEntries() const;

    void mnuImportFolderClick();
    void mnuImportSitemapClick();

private:
    // Runs an import with the progress dialog and adds its items as one step. A recordedSite
    // becomes the project's site.
    void importSite(const QString& recordedSite, const std::function<std::optional<ImportResult>(ImportOptions&)>& run);
    // Whether an import makes the whole project and records its site: a tree still empty, no site yet.
    bool makesTheProject() const;
    // The folder the links are made relative to: the project's site folder, the site being
    // recorded, or the one the user chooses; empty when cancelled.
    QString baseFolder(const QString& start, bool recordsSite) const;
    // Where the dialogs start: the project's folder, else the program's.
    QString startFolder() const;

    ProjectDocument& document_;
    Platform platform_;
    PropertiesPanel& properties_;
    Tree2View* Tree2;
    QString appFolder_;
};

}  // namespace quillmap
