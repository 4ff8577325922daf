#pragma once
// The window's link check: "Check links" for the whole tree, "Check links below" for a folder's
// subtree. It asks for the site folder the first time (remembered per project file), runs the
// check on a thread of its own behind a progress dialog with Cancel, marks the items whose links
// are broken in the tree and lists them in the results window.
#include <QObject>
#include <QPersistentModelIndex>

#include "import/LinkCheckResults.h"

class QAction;

namespace quillmap {

class Node;
class Prompts;
class TreeModel;

class LinkCheckCommands : public QObject {
    Q_OBJECT
public:
    LinkCheckCommands(TreeModel& model, Prompts& prompts, QWidget* window);

    QAction* mnuCheckLinks;       // Ctrl+L
    QAction* mnuCheckLinksBelow;  // the tree's menu, on a folder
    LinkCheckResults* frmLinkCheck;

    // Checks the links of top and everything below it (null: the whole tree) of the project
    // saved as projectFile (empty: not saved yet). Items checked lose their old marks; a
    // cancelled check changes nothing.
    void checkLinks(const QString& projectFile, Node* top);

signals:
    // The user chose the item of a result: select it and show its properties.
    void showItem(quillmap::Node* node);

private:
    // The remembered site folder of the project; the user is asked when there is none, when it
    // is gone, or when askAgain. Empty when the user cancels.
    QString siteFolder(const QString& projectFile, bool askAgain);
    void checkAgain(bool askForFolder);

    TreeModel& model_;
    Prompts& prompts_;
    QString lastProject_;
    QPersistentModelIndex lastTop_;
    bool lastWholeTree_ = true;
    QString unsavedProjectSite_;
};

}  // namespace quillmap
