#pragma once
// The window's link check: "Check links" for the whole tree, "Check links below" for a folder's
// subtree. It asks for the site folder the first time (remembered per project file), runs the
// check on a thread of its own behind a progress dialog with Cancel, marks the items whose links
// are broken in the tree and lists them in the results window.
#include <QList>
#include <QObject>
#include <QPersistentModelIndex>

#include "import/LinkCheckResults.h"
#include "project/ProjectDocument.h"
#include "shell/Platform.h"

class QAction;

namespace quillmap {

class PropertiesPanel;
class Tree2View;

class LinkCheckCommands : public QObject {
    Q_OBJECT
public:
    // The results window belongs to window.
    LinkCheckCommands(ProjectDocument& document, const Platform& platform, PropertiesPanel& properties,
                      Tree2View* tree, QWidget* window);

    QAction* mnuCheckLinks;       // Ctrl+L: the whole tree
    QAction* mnuCheckLinksBelow;  // the selected item and everything below it
    // The entries of the tree's and of the open button's right-click menus: none in a build
    // without the link check.
    QList<QAction*> menuEntries() const;
    QList<QAction*> openMenuEntries() const;
    LinkCheckResults* frmLinkCheck = nullptr;
    // The texts of the check's dialogs, replaced by the language file's.
    struct Texts {
        QString progress = QStringLiteral("Checking links...");
        QString siteFolderPrompt = QStringLiteral("Site folder: the folder of the page that shows the menu");
        QString summary = QStringLiteral("%1 links checked, %2 broken, %3 not checked.");  // all, broken, not checked
    };
    Texts texts;

    // Checks the links of top and everything below it (null: the whole tree). Items checked
    // lose their old marks; a cancelled check changes nothing.
    void checkLinks(Node* top);

private:
    // The remembered site folder of the project; the user is asked when there is none, when it
    // is gone, or when askAgain. Empty when the user cancels.
    QString siteFolder(bool askAgain);
    void checkAgain(bool askForFolder);
    void showResultItem(const QModelIndex& item);

    ProjectDocument& document_;
    Platform platform_;
    PropertiesPanel& properties_;
    Tree2View* Tree2;
    QPersistentModelIndex lastTop_;
    bool lastWholeTree_ = true;
};

}  // namespace quillmap
