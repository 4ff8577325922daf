// The life of the current project in the main window: Save, Save As, Open, New, the question
// before unsaved changes are lost, closing the window, and the project named on the command line.
#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QSignalBlocker>

#include "text/LocalText.h"
#include "app/TForm1.h"
#include "text/TextFile.h"
#include "project/FormProjectTarget.h"
#include "project/ProjectWriter.h"
#include "project/TreeExpansion.h"
#include "styles/TfrmColors.h"
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

void TForm1::connectProjectHandlers()
{
    connect(btnNew, &QPushButton::clicked, this, [this] { guard([this] { btnNewClick(); }); });
    connect(btnOPEN, &QPushButton::clicked, this, [this] { guard([this] { btnOPENClick(); }); });
    connect(btnSAVE, &QPushButton::clicked, this, [this] { guard([this] { btnSAVEClick(); }); });
    connect(mnuSave, &QAction::triggered, this, [this] { guard([this] { mnuSaveClick(); }); });
    connect(mnuSaveAs, &QAction::triggered, this, [this] { guard([this] { mnuSaveAsClick(); }); });
}

bool TForm1::SaveProject(const QString& fileName)
{
    if (tree().empty()) {
        platform_.prompts.message(QString::fromStdString(messages.noItemsToSave));
        return false;
    }
    // The whole file is made before the save dialog opens, the frame name first: a character the
    // project's code page cannot hold turns every text of the project into UTF-8, the items too.
    ProjectOptions options;
    options.targetFrame = model_->bytes(txtTFRAME->text());
    options.useTextLinks = chkUSETEXTLINKS->isChecked();
    options.autoClose = chkAutoClose->isChecked();
    options.look = frmColors().look();
    const std::string text = projectText(tree(), options);

    const QString name = fileName.isEmpty() ? AskSaveFileName() : fileName;
    if (name.isEmpty()) return false;
    saveTextFile(toFilePath(name), text);
    ProjectFileName = name;
    SetSaved(true);
    rememberRecentProject(name);
    setTitle(TitleText + QStringLiteral(" - ") + fileNameOf(ProjectFileName));
    return true;
}

void TForm1::OpenProject(const QString& fileName)
{
    if (!QuerySaveChanges()) return;
    QString name = fileName;
    if (name.isEmpty()) {
        Prompts::FileDialogOptions options;
        options.folder = AppFolder + ProjectsFolder;
        options.filter = ProjectFilter;
        options.defaultSuffix = ProjectSuffix;
        name = platform_.prompts.openFileName(options);
        if (name.isEmpty()) return;
    }
    // From here on the project counts as saved, whatever the file turns out to hold, and its
    // history starts afresh.
    SetSaved(true);
    history().clear();

    FormProjectTarget target(*this);
    try {
        switch (readProjectFile(toFilePath(name), target)) {
        case ReadOutcome::NotAProject:
            platform_.prompts.message(QString::fromStdString(messages.notProjectFile));
            return;
        case ReadOutcome::NeedsNewerProgram:
            platform_.prompts.message(QString::fromStdString(messages.newerVersion));
            return;
        case ReadOutcome::Loaded:
            break;
        }

        // Expanding an item without children would only give it the open-folder look.
        if (Node* root = tree().root()) {
            const QModelIndex rootIndex = model_->indexOf(root);
            if (root->childCount() > 0) Tree2->expand(rootIndex);
            makeCurrentQuietly(Tree2, rootIndex);
            ShowItemProperties(0);
        }
        for (Node* folder : itemsToExpandAfterLoad(tree())) Tree2->expand(model_->indexOf(folder));
    } catch (...) {
        // The partly read tree stays for the user to salvage, but it belongs to no file: neither
        // the earlier project's file nor the damaged one may be written over without a dialog.
        if (target.replacedTree()) {
            ProjectFileName.clear();
            setTitle(TitleText);
            SetSaved(false);
        }
        throw;
    }

    ProjectFileName = name;
    setTitle(TitleText + QStringLiteral(" - ") + fileNameOf(ProjectFileName));
    rememberRecentProject(name);
}

QString TForm1::AskSaveFileName()
{
    Prompts::FileDialogOptions options;
    if (ProjectFileName.isEmpty()) {
        options.folder = AppFolder + ProjectsFolder;
        options.fileName = NewProjectFileName;
    } else {
        options.fileName = fileNameOf(ProjectFileName);
        options.folder = ProjectFileName.left(ProjectFileName.size() - options.fileName.size());
    }
    options.filter = ProjectFilter;
    options.defaultSuffix = ProjectSuffix;
    options.confirmOverwrite = true;
    return platform_.prompts.saveFileName(options);
}

bool TForm1::QuerySaveChanges()
{
    if (tree().empty() || Saved) return true;
    const QString question = QString::fromStdString(messages.saveChangesTo) + fileNameOf(ProjectFileName) +
                             QString::fromStdString(messages.projectQuestionEnd);
    switch (platform_.prompts.askYesNoCancel(question)) {
    case Prompts::Answer::Cancel:
        return false;
    case Prompts::Answer::Yes:
        // Cancelling the save dialog after Yes stops the operation too: going on would throw
        // away the changes the user just asked to keep.
        return SaveProject(ProjectFileName);
    case Prompts::Answer::No:
        break;
    }
    return true;
}

void TForm1::btnNewClick()
{
    if (!QuerySaveChanges()) return;
    setTitle(TitleText);
    ProjectFileName.clear();
    if (Node* root = tree().root()) {
        selectNode(root);
        // An empty line in a project's outline makes a further top-level item; New leaves none.
        while (tree().topLevel().size() > 1) model_->removeItem(tree().topLevel().back().get());
        btnRemoveClick(false);
    }
    model_->startEncoding(TextEncoding::Utf8);
    recreateColorsWindow();
    {
        UpdatingScope updating(*this);
        txtCaption->clear();
        txtURL->clear();
    }
    EnableTargetChoice(false);
    EnableOpenStateChoice(false);
    {
        UpdatingScope updating(*this);
        txtTFRAME->setText(DefaultTargetFrame);
        boxTarget->setItemText(0, txtTFRAME->text());
        chkUSETEXTLINKS->setChecked(true);
    }
    // Auto-close keeps its state into the new project.
    SetSaved(true);
    history().clear();
}

void TForm1::btnOPENClick() { OpenProject(QString()); }

// With nothing unsaved the button saves under a new name; otherwise to the current file.
void TForm1::btnSAVEClick() { SaveProject(Saved ? QString() : ProjectFileName); }

void TForm1::mnuSaveClick() { SaveProject(ProjectFileName); }

void TForm1::mnuSaveAsClick() { SaveProject(QString()); }

void TForm1::FormCloseQuery(bool& CanClose) { CanClose = QuerySaveChanges(); }

// A failed save after Yes keeps the window open as well, so the changes are not lost.
void TForm1::closeEvent(QCloseEvent* event)
{
    bool canClose = false;
    guard([&] { FormCloseQuery(canClose); });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

}  // namespace quillmap
