#pragma once
// The life of the current project in the main window: New, Open, Save, Save As, the question
// before unsaved changes are lost and the recent projects.
#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "project/DiskStamp.h"
#include "project/OptionBoxes.h"
#include "project/ProjectDocument.h"
#include "project/ProjectReader.h"
#include "project/RecentProjectsMenu.h"
#include "shell/Platform.h"
#include "text/MessageTexts.h"

class QAction;
class QMenu;
class QPushButton;

namespace quillmap {

class CurrentColorsWindow;
class ItemCommands;
class PropertiesPanel;
class Tree2View;
struct RecoveredProject;

class ProjectFiles : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        Tree2View* Tree2;
        QPushButton* btnNew;
        QPushButton* btnOPEN;
        QPushButton* btnSAVE;
        OptionBoxes options;
    };
    struct Parts {
        ItemCommands& items;
        PropertiesPanel& properties;
        CurrentColorsWindow& colors;
    };

    // appFolder ends with a path separator.
    ProjectFiles(ProjectDocument& document, const Platform& platform, const MessageTexts& messages, const Parts& parts,
                 const Widgets& widgets, QString appFolder, QObject* parent = nullptr);

    RecentProjectsMenu& recent() { return recent_; }
    // The save button's right-click menu.
    QMenu* popUpSave = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;

    // An empty file name makes SaveProject ask for one and OpenProject show the open dialog.
    // SaveProject answers whether the project was written (not when the tree is empty or the
    // dialog cancelled).
    bool SaveProject(const QString& fileName);
    void OpenProject(const QString& fileName);
    // The chosen file name, or an empty text when the user cancels. The dialog proposes the name
    // given, else the project's file, else a new project in the projects folder.
    QString AskSaveFileName(const QString& proposed = QString());
    // False when the operation that asks must stop; may save the project on the way.
    bool QuerySaveChanges();
    void btnNewClick();
    void btnOPENClick();
    void btnSAVEClick();
    void mnuSaveClick();
    void mnuSaveAsClick();

    // The whole project as the window holds it, in the project file format.
    // forFile: the file the text is for, whose folder the site's folders are stored relative to;
    // by default the project's own.
    std::string projectTextNow() const;
    std::string projectTextNow(const QString& forFile) const;
    // Shows a recovered project, tied to its file and unsaved.
    void restoreRecovered(const RecoveredProject& project);
    // Asks what to do when another program has changed the project's file since the window read
    // or wrote it (the window became active again).
    void checkDiskFile();
    // The project's file as the window last read or wrote it; none for a project of no file.
    std::optional<DiskStampValues> diskBaseline() const { return stamp_.values(); }

    // What the window says when another program changed or deleted the project's file, replaced
    // by the language file's texts. %1 is the file's name.
    struct DiskTexts {
        QString changedBeforeSave = QStringLiteral(
            "%1 was changed by another program.\n\nSave your version over it, or reload the changed file? "
            "Reloading can be undone.");
        QString changedOnReturn = QStringLiteral(
            "%1 was changed by another program.\n\nReload the changed file, or keep your version to save over it? "
            "Reloading can be undone.");
        QString deleted = QStringLiteral("%1 was deleted by another program. It is saved anew.");
        // Before the first save of work restored from a recovery copy of an older program.
        QString baselineUnknown = QStringLiteral(
            "Your version of %1 comes from a recovery copy that does not tell which version of the file it began "
            "from.\n\nSave your version over the file, or reload the file? Reloading can be undone.");
        QString reload = QStringLiteral("&Reload");
        QString saveAnyway = QStringLiteral("&Save anyway");
        QString keepMine = QStringLiteral("&Keep mine");
        QString cancel = QStringLiteral("&Cancel");
    };
    DiskTexts diskTexts;

signals:
    // The project now belongs to another file, or to none.
    void fileNameChanged();

private:
    void setUpSaveMenu();
    void connectHandlers();
    void setFileName(const QString& name);
    // Reads text into the window; a refusal leaves the window as it was.
    // freshStart: a tree read marks the project saved and starts a fresh history.
    // projectFile: the file the text belongs to (its site is stored relative to it); by default
    // the project's own.
    ReadOutcome showProjectText(std::string_view text, bool freshStart = true, const QString* projectFile = nullptr);
    // Before a save over the project's own file: false when another program changed it and the
    // user does not want it overwritten.
    bool mayWriteOverDiskFile();
    // Shows the file as it is on disk, one undoable step away from the window's version.
    void reloadFromDisk();
    void rememberDiskFile(const QString& name);

    ProjectDocument& document_;
    Platform platform_;
    const MessageTexts& messages_;
    Parts parts_;
    Widgets w_;
    QString appFolder_;
    RecentProjectsMenu recent_;
    // What the window last read from or wrote to the project's file.
    DiskStamp stamp_;
    bool checkingDisk_ = false;
    // The work was restored from a copy that knows no baseline: the first save over the file asks.
    bool baselineUnknown_ = false;
};

}  // namespace quillmap
