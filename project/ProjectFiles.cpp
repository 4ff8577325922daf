#include "project/ProjectFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>

#include "project/FormProjectTarget.h"
#include "project/ProjectData.h"
#include "project/ProjectWriter.h"
#include "project/RecoveryCopy.h"
#include "project/TreeExpansion.h"
#include "shell/ContextMenu.h"
#include "shell/DialogFolder.h"
#include "shell/EventGuard.h"
#include "styles/CurrentColorsWindow.h"
#include "styles/TfrmColors.h"
#include "text/LocalText.h"
#include "text/TextFile.h"
#include "tree/ItemCommands.h"
#include "tree/PropertiesPanel.h"
#include "tree/Tree2View.h"
#include "undo/ProjectReload.h"
#include "undo/UndoStack.h"

namespace quillmap {

namespace {

const QString ProjectFilter = QStringLiteral("Quillmap Projects (*.qmp)|*.qmp|All Files (*.*)|*.*");
const QString ProjectSuffix = QStringLiteral("qmp");
const QString ProjectsFolder = QStringLiteral("Projects");
const QString NewProjectFileName = QStringLiteral("new_tree.qmp");
const QString DefaultTargetFrame = QStringLiteral("main_frame");

// Makes index the current and only selected item without telling anyone. Right after a model
// reset the view has not laid out its rows yet; a view told of the change would do that at once,
// and every later expansion would then cost a walk over all rows shown. The rows are laid out,
// and painted with this selection, once the event is over. The Properties panel is loaded by the
// caller.
void makeCurrentQuietly(QTreeView* view, const QModelIndex& index)
{
    QItemSelectionModel* selection = view->selectionModel();
    const QSignalBlocker quiet(selection);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

}  // namespace

ProjectFiles::ProjectFiles(ProjectDocument& document, const Platform& platform, const MessageTexts& messages,
                           const Parts& parts, const Widgets& widgets, QString appFolder, QObject* parent)
    : QObject(parent), document_(document), platform_(platform), messages_(messages), parts_(parts), w_(widgets),
      appFolder_(std::move(appFolder)), recent_(platform, widgets.btnOPEN)
{
    setUpSaveMenu();
    connectHandlers();
}

void ProjectFiles::setUpSaveMenu()
{
    popUpSave = contextMenu(w_.btnSAVE, platform_.prompts, QStringLiteral("popUpSave"));
    mnuSave = popUpSave->addAction(QStringLiteral("Save"));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuSaveAs = popUpSave->addAction(QStringLiteral("Save As..."));
    mnuSaveAs->setObjectName(QStringLiteral("mnuSaveAs"));
}

void ProjectFiles::connectHandlers()
{
    Prompts& prompts = platform_.prompts;
    connectGuarded(w_.btnNew, &QPushButton::clicked, this, prompts, [this] { btnNewClick(); });
    connectGuarded(w_.btnOPEN, &QPushButton::clicked, this, prompts, [this] { btnOPENClick(); });
    connectGuarded(w_.btnSAVE, &QPushButton::clicked, this, prompts, [this] { btnSAVEClick(); });
    connectGuarded(mnuSave, &QAction::triggered, this, prompts, [this] { mnuSaveClick(); });
    connectGuarded(mnuSaveAs, &QAction::triggered, this, prompts, [this] { mnuSaveAsClick(); });
    connectGuarded(&recent_, &RecentProjectsMenu::openRequested, this, prompts,
                   [this](const QString& file) { OpenProject(file); });
}

void ProjectFiles::setFileName(const QString& name)
{
    document_.ProjectFileName = name;
    baselineUnknown_ = false;
    emit fileNameChanged();
}

namespace {

std::filesystem::path siteBaseOf(const QString& projectFile)
{
    return projectFile.isEmpty() ? std::filesystem::path() : toFilePath(projectFile).parent_path();
}

}  // namespace

std::string ProjectFiles::projectTextNow() const { return projectTextNow(document_.ProjectFileName); }

std::string ProjectFiles::projectTextNow(const QString& forFile) const
{
    ProjectOptions options;
    options.site = relocateSite(document_.site, {}, siteBaseOf(forFile));
    options.targetFrame = document_.model().bytes(w_.options.txtTFRAME->text());
    options.useTextLinks = w_.options.chkUSETEXTLINKS->isChecked();
    options.autoClose = w_.options.chkAutoClose->isChecked();
    options.look = parts_.colors.window().look();
    return projectText(document_.tree(), options);
}

bool ProjectFiles::SaveProject(const QString& fileName)
{
    if (document_.tree().empty()) {
        platform_.prompts.message(QString::fromStdString(messages_.noItemsToSave));
        return false;
    }
    // The whole file is made before the save dialog opens, the frame name first: a character the
    // project's code page cannot hold turns every text of the project into UTF-8, the items too.
    std::string text = projectTextNow();

    QString name = fileName.isEmpty() ? AskSaveFileName() : fileName;
    for (;;) {
        if (name.isEmpty()) return false;
        if (name == document_.ProjectFileName && !mayWriteOverDiskFile()) return false;
        // The site's folders are stored relative to the file's own folder.
        if (!document_.site.empty() && name != document_.ProjectFileName) text = projectTextNow(name);
        try {
            saveTextFile(toFilePath(name), text);
            break;
        } catch (const Error& e) {
            // A name picked in the dialog that cannot be written brings the dialog back, after
            // the reason, to pick another place.
            if (!fileName.isEmpty()) throw;
            reportError(platform_.prompts, e.what());
            name = AskSaveFileName(name);
        }
    }
    stamp_ = DiskStamp(toFilePath(name), text);
    document_.SetSaved(true);
    setFileName(name);
    recent_.rememberRecentProject(name);
    return true;
}

bool ProjectFiles::mayWriteOverDiskFile()
{
    const QString& name = document_.ProjectFileName;
    const Prompts::Choices choices{diskTexts.saveAnyway, diskTexts.reload, diskTexts.cancel};
    std::error_code ec;
    const DiskChange change = baselineUnknown_ && std::filesystem::exists(toFilePath(name), ec)
                                  ? DiskChange::Changed
                                  : stamp_.check(toFilePath(name));
    const QString& question = baselineUnknown_ ? diskTexts.baselineUnknown : diskTexts.changedBeforeSave;
    switch (change) {
    case DiskChange::None:
        return true;
    case DiskChange::Deleted:
        platform_.prompts.message(diskTexts.deleted.arg(fileNameOf(name)));
        return true;
    case DiskChange::Changed:
        break;
    }
    switch (platform_.prompts.choose(question.arg(fileNameOf(name)), choices)) {
    case Prompts::Answer::Yes:
        return true;
    case Prompts::Answer::No:
        reloadFromDisk();
        return false;
    case Prompts::Answer::Cancel:
        break;
    }
    return false;
}

void ProjectFiles::checkDiskFile()
{
    const QString name = document_.ProjectFileName;
    if (name.isEmpty() || checkingDisk_) return;
    if (stamp_.check(toFilePath(name)) != DiskChange::Changed) return;
    checkingDisk_ = true;
    const Prompts::Answer answer = platform_.prompts.choose(diskTexts.changedOnReturn.arg(fileNameOf(name)),
                                                            {diskTexts.reload, diskTexts.keepMine, QString()});
    checkingDisk_ = false;
    if (answer == Prompts::Answer::Yes) {
        reloadFromDisk();
        return;
    }
    // The window's version differs from the file now: it is unsaved, and the user has been told,
    // so the next save writes it without asking again.
    rememberDiskFile(name);
    document_.SetSaved(false);
}

void ProjectFiles::rememberDiskFile(const QString& name)
{
    try {
        stamp_ = DiskStamp(toFilePath(name), readWholeFile(toFilePath(name)));
    } catch (...) {
        stamp_ = DiskStamp();
    }
}

void ProjectFiles::reloadFromDisk()
{
    const QString name = document_.ProjectFileName;
    const std::string before = projectTextNow();
    const std::string after = readWholeFile(toFilePath(name));
    // The changed file is read once aside, so that a damaged one never replaces the window's work.
    ProjectData check;
    ProjectDataTarget checkTarget(check);
    if (readProjectText(after, checkTarget) != ReadOutcome::Loaded) {
        platform_.prompts.message(QString::fromStdString(messages_.notProjectFile));
        return;
    }
    // The steps before refer to items that the reload replaces: the reload itself becomes the
    // one step back to the window's own version.
    document_.history().clear();
    // The reload is a step of the history, so the history is kept while it shows either text.
    showProjectText(after, false);
    stamp_ = DiskStamp(toFilePath(name), after);
    baselineUnknown_ = false;
    document_.recordChange(
        new ProjectReload(before, after, [this](const std::string& text) { showProjectText(text, false); }));
    document_.SetSaved(true);
}

void ProjectFiles::restoreRecovered(const RecoveredProject& project)
{
    document_.SetSaved(true);
    document_.history().clear();
    const QString name = project.projectFile.empty() ? QString() : fromFilePath(pathFromText(project.projectFile));
    showProjectText(project.projectText, true, &name);
    // The file as it was when the work began, so that a change made to it since the copy was
    // written is noticed before the next save writes over it. A copy of an older program knows
    // no such thing: the file as it is now stands in, and the first save over it asks.
    if (name.isEmpty()) stamp_ = DiskStamp();
    else if (project.baseline) stamp_ = DiskStamp(*project.baseline);
    else rememberDiskFile(name);
    setFileName(name);
    baselineUnknown_ = !name.isEmpty() && !project.baseline;
    document_.SetSaved(false);
}

ReadOutcome ProjectFiles::showProjectText(std::string_view text, bool freshStart, const QString* projectFile)
{
    FormProjectTarget target(document_, w_.options, parts_.colors,
                             siteBaseOf(projectFile ? *projectFile : document_.ProjectFileName), freshStart);
    try {
        const ReadOutcome outcome = readProjectText(text, target);
        if (outcome != ReadOutcome::Loaded) return outcome;
        // Expanding an item without children would only give it the open-folder look.
        if (Node* root = document_.tree().root()) {
            const QModelIndex rootIndex = document_.model().indexOf(root);
            if (root->childCount() > 0) w_.Tree2->expand(rootIndex);
            makeCurrentQuietly(w_.Tree2, rootIndex);
            parts_.properties.ShowItemProperties(0);
        }
        for (Node* folder : itemsToExpandAfterLoad(document_.tree())) w_.Tree2->expand(document_.model().indexOf(folder));
        return outcome;
    } catch (...) {
        // The partly read tree stays for the user to salvage, but it belongs to no file: neither
        // the earlier project's file nor the damaged one may be written over without a dialog.
        if (target.replacedTree()) {
            setFileName(QString());
            document_.SetSaved(false);
        }
        throw;
    }
}

void ProjectFiles::OpenProject(const QString& fileName)
{
    if (!QuerySaveChanges()) return;
    QString name = fileName;
    if (name.isEmpty()) {
        Prompts::FileDialogOptions options;
        options.folder = dialogStartFolder(appFolder_ + ProjectsFolder);
        options.filter = ProjectFilter;
        options.defaultSuffix = ProjectSuffix;
        name = platform_.prompts.openFileName(options);
        if (name.isEmpty()) return;
    }
    // The project counts as saved, with a fresh history, once the file's tree replaces the
    // window's (see FormProjectTarget); a failed open leaves everything as it was.
    const std::string text = readWholeFile(toFilePath(name));
    switch (showProjectText(text, true, &name)) {
    case ReadOutcome::NotAProject:
        platform_.prompts.message(QString::fromStdString(messages_.notProjectFile));
        return;
    case ReadOutcome::NeedsNewerProgram:
        platform_.prompts.message(QString::fromStdString(messages_.newerVersion));
        return;
    case ReadOutcome::Loaded:
        break;
    }
    stamp_ = DiskStamp(toFilePath(name), text);
    setFileName(name);
    recent_.rememberRecentProject(name);
}

QString ProjectFiles::AskSaveFileName(const QString& proposed)
{
    Prompts::FileDialogOptions options;
    const QString& current = proposed.isEmpty() ? document_.ProjectFileName : proposed;
    if (current.isEmpty()) {
        options.folder = dialogStartFolder(appFolder_ + ProjectsFolder);
        options.fileName = NewProjectFileName;
    } else {
        options.fileName = fileNameOf(current);
        options.folder = current.left(current.size() - options.fileName.size());
    }
    options.filter = ProjectFilter;
    options.defaultSuffix = ProjectSuffix;
    options.confirmOverwrite = true;
    return platform_.prompts.saveFileName(options);
}

bool ProjectFiles::QuerySaveChanges()
{
    if (document_.tree().empty() || document_.Saved) return true;
    const QString question = QString::fromStdString(messages_.saveChangesTo) + fileNameOf(document_.ProjectFileName) +
                             QString::fromStdString(messages_.projectQuestionEnd);
    switch (platform_.prompts.askYesNoCancel(question)) {
    case Prompts::Answer::Cancel:
        return false;
    case Prompts::Answer::Yes:
        // Cancelling the save dialog after Yes stops the operation too: going on would throw
        // away the changes the user just asked to keep.
        return SaveProject(document_.ProjectFileName);
    case Prompts::Answer::No:
        break;
    }
    return true;
}

void ProjectFiles::btnNewClick()
{
    if (!QuerySaveChanges()) return;
    setFileName(QString());
    document_.site = {};
    const ItemTree& tree = document_.tree();
    stamp_ = DiskStamp();
    if (Node* root = tree.root()) {
        parts_.items.selectNode(root);
        // An empty line in a project's outline makes a further top-level item; New leaves none.
        while (tree.topLevel().size() > 1) document_.model().removeItem(tree.topLevel().back().get());
        parts_.items.btnRemoveClick(false);
    }
    document_.model().startEncoding(TextEncoding::Utf8);
    parts_.colors.recreate();
    parts_.properties.showNoItem();
    parts_.properties.EnableTargetChoice(false);
    parts_.properties.EnableOpenStateChoice(false);
    {
        ProjectDocument::UpdatingScope updating(document_);
        w_.options.txtTFRAME->setText(DefaultTargetFrame);
        w_.options.boxTarget->setItemText(0, w_.options.txtTFRAME->text());
        w_.options.chkUSETEXTLINKS->setChecked(true);
    }
    // Auto-close keeps its state into the new project.
    document_.SetSaved(true);
    document_.history().clear();
}

void ProjectFiles::btnOPENClick() { OpenProject(QString()); }

// With nothing unsaved the button saves under a new name; otherwise to the current file.
void ProjectFiles::btnSAVEClick() { SaveProject(document_.Saved ? QString() : document_.ProjectFileName); }

void ProjectFiles::mnuSaveClick() { SaveProject(document_.ProjectFileName); }

void ProjectFiles::mnuSaveAsClick() { SaveProject(QString()); }

}  // namespace quillmap
