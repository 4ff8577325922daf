#pragma once
// The window's "Site..." command: the open button's menu entry and its key open the Site dialog;
// what it sets becomes the project's site as one step of the history.
#include <QKeySequence>
#include <QObject>

#include "project/ProjectDocument.h"
#include "shell/Platform.h"

class QAction;

namespace quillmap {

class TfrmSite;

class SiteCommands : public QObject {
    Q_OBJECT
public:
    // The dialog belongs to window.
    SiteCommands(ProjectDocument& document, const Platform& platform, QWidget* window);

    static const QKeySequence SiteKey;
    QAction* mnuSite;
    TfrmSite* frmSite;

    // Shows the dialog with the project's site; an accepted change is recorded and leaves the
    // project unsaved.
    void editSite();

private:
    ProjectDocument& document_;
    Platform platform_;
};

}  // namespace quillmap
