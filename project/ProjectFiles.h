#pragma once
// The life of the current project in the main window: New, Open, Save, Save As, the question
// before unsaved changes are lost and the recent projects.
#include <QObject>
#include <QString>
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
    // The chosen file name, or an empty text when the user cancels.
    QString AskSaveFileName();
    // False when the operation that asks must stop; may save the project on the way.
    bool QuerySaveChanges();
    void btnNewClick();
    void btnOPENClick();
    void btnSAVEClick();
    void mnuSaveClick();
    void mnuSaveAsClick();

    // The whole project as the window holds it, in the project file format.
    std::string projectTextNow() const;
    // Shows a recovered project, tied to its file and unsaved.
    void restoreRecovered(const RecoveredProject& project);
    // Asks what to do when another program has changed the project's file since the window read
    // or wrote it (the window became active again).
    void checkDiskFile();

signals:
    // The project now belongs to another file, or to none.
    void fileNameChanged();

private:
    void setUpSaveMenu();
    void connectHandlers();
    void setFileName(const QString& name);
    // Reads text into the window; a refusal leaves the window as it was.
    // freshStart: a tree read marks the project saved and starts a fresh history.
    ReadOutcome showProjectText(std::string_view text, bool freshStart = true);
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
};

}  // namespace quillmap
