#pragma once
#include <QKeySequence>
#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "project/EditState.h"
#include "shell/EventGuard.h"
#include "text/MessageTexts.h"
#include "shell/Platform.h"
#include "tree/ItemPlacement.h"
#include "tree/TreeModel.h"
#include "ui_TForm1.h"

class QAction;
class QCloseEvent;
class QKeyEvent;
class QMenu;
class QUndoCommand;

namespace quillmap {

class TfrmAskToAssociate;
class TfrmColors;
class UndoStack;
struct ImportOptions;
struct ImportResult;

// The main window: the item tree, the Properties panel, the global options, the project and
// build buttons and the help panel. Its controls are those of TForm1.ui, reachable by name.
class TForm1 : public QWidget, public Ui::TForm1, public EditState {
    Q_OBJECT
public:
    // appFolder is the program's folder and ends with a path separator; arguments are the
    // command-line arguments after the program's own name.
    TForm1(const Platform& platform, QString appFolder, QStringList arguments, QWidget* parent = nullptr);
    ~TForm1() override;

    // Set while the program itself fills controls; change handlers do nothing then.
    bool Updating = false;
    // No unsaved changes. Written only by SetSaved after start-up.
    bool Saved = true;
    QString ProjectFileName;
    QString VersionText;
    QString TitleText;
    QString AppFolder;
    MessageTexts messages;
    // The folder of the file last chosen with the link browse button, for the whole run.
    static QString LastLinkFolder;

    QPixmap picSAVED;
    QPixmap picNOT_SAVED;
    QMenu* popUpSave = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;

    const QStringList& commandLineArguments() const { return arguments_; }
    const Platform& platform() const { return platform_; }
    TreeModel& model() const { return *model_; }
    const ItemTree& tree() const { return model_->tree(); }

    // Runs an event handler so that an error escaping it reaches the general error report.
    template <typename Handler>
    void guard(Handler&& handler)
    {
        guarded(platform_.prompts, std::forward<Handler>(handler));
    }

    // Edit state shared with the other windows.
    bool isUpdating() const override { return Updating; }
    void setUpdating(bool updating) override;
    void SetSaved(bool value) override;

    void FormCreate();
    void FormShow();

    // The Colors and Styles window, created right after this one at start-up (styles/TForm1Colors.cpp).
    TfrmColors& frmColors() const { return *frmColors_; }
    void createColorsWindow();
    // New discards the window and makes a fresh one with the default colours and styles.
    void recreateColorsWindow();
    void btnColorsClick();

    // The association prompt, created third at start-up (shell/TForm1Shell.cpp).
    TfrmAskToAssociate* frmAskToAssociate = nullptr;
    void runAssociationCheck();
    void btnMoreHelpClick();
    void btnBrowseOUTClick();

    // "Build" and "Build and Test" (generator/TForm1Build.cpp); the test page is opened only for
    // the sender named btnBuild_Test.
    void btnBuildTestClick(QObject* Sender);
    void ShellOpen(const QString& file, const QString& parameters, const QString& folder, int showCommand);
    // Sets the window caption and the application title together.
    void setTitle(const QString& caption);

    // Items (tree/TForm1Items.cpp).
    Node* selectedNode() const;
    // Makes node the selected item, expanding its collapsed ancestors so that it can be seen.
    void selectNode(Node* node);
    void btnAddFolderClick();
    void btnAddDocClick();
    // askRootQuestion is false when New empties the tree.
    void btnRemoveClick(bool askRootQuestion = true);
    void Tree2Expanding(const QModelIndex& index);
    void Tree2Collapsing(const QModelIndex& index);

    // Drag and drop inside Tree2 (tree/TForm1DragDrop.cpp): the selected item is dropped at
    // position, in Tree2's viewport coordinates.
    void Tree2DragDrop(QPoint position);

    // The history of changes (undo/TForm1History.cpp). Every edit records what it changed;
    // New and Open start a fresh history, a save marks the present state as the saved one.
    UndoStack& history() const { return *history_; }
    void undoClick();
    void redoClick();
    void recordChange(QUndoCommand* change) override;
    enum class ItemText { Caption, Link, Target, OpenState, Image };
    // Records that one of node's texts changed from before to after; typed changes of the same
    // text join word by word. Texts are kept decoded, so a step stays right when an edit turns
    // the project into UTF-8.
    void recordItemText(Node* node, ItemText text, const QString& before, const QString& after, bool typed);
    // Records that a check box or text box of the options changed.
    void recordOption(QWidget* control, const QVariant& before, const QVariant& after, bool typed);
    // Records that node arrived in the tree with its whole subtree: one step, however large.
    void recordAddedItem(Node* node);
    // Takes node with its subtree out of the tree and records it.
    void removeItem(Node* node);
    // Records that node has just moved away from row of fromParent (null: the top level).
    void recordMovedItem(Node* node, Node* fromParent, std::size_t fromRow);
    // Selects the item an undone or redone change touched and shows it; null shows whatever
    // the tree selects now.
    void showChangedItem(Node* node);

    // Keyboard shortcuts of the buttons, shown in their hints (app/TForm1Shortcuts.cpp).
    struct ButtonKey {
        QAbstractButton* button;
        QKeySequence key;
        bool itemCommand;  // not while a text box has the focus
    };
    std::vector<ButtonKey> buttonKeys() const;
    void showShortcutsInHints();
    // Undo and redo keys typed in a text box; answers whether it used the key.
    bool historyKeyPress(QKeyEvent* event);

    // The open button's menu: the last projects opened or saved (project/TForm1Recent.cpp),
    // then the imports.
    QMenu* popUpOpen = nullptr;
    void fillOpenMenu();
    void rememberRecentProject(const QString& fileName);
    QStringList recentProjects() const;

    // The tree's right-click menu (tree/TForm1ItemMenu.cpp): the item commands, then the imports.
    QMenu* popUpItem = nullptr;
    void fillItemMenu();

    // Import of a site folder or a sitemap as a subtree (import/TForm1Import.cpp), offered on the
    // right-click menus of the open button and of the tree.
    QAction* mnuImportFolder = nullptr;
    QAction* mnuImportSitemap = nullptr;
    void addImportEntries(QMenu* menu);
    void mnuImportFolderClick();
    void mnuImportSitemapClick();

    // Replaces the texts of the window from Lang.ini (lang/TForm1Language.cpp).
    void ApplyLanguage();

    // Properties panel (tree/TForm1Properties.cpp).
    void ShowItemProperties(int absoluteIndex);
    void showPropertiesOf(Node* node);
    void EnableTargetChoice(bool on);
    void EnableOpenStateChoice(bool on);
    void EnableImageChoice(bool on);
    void ListCustomImages();
    void txtCaptionChange();
    void txtURLChange();
    void boxTargetChange();
    void boxOpenFolderChange();
    void boxImgChange();
    void txtTFRAMEChange();
    void chkUSETEXTLINKSClick();
    void chkAutoCloseClick();
    // Each answers whether it used the key.
    bool txtCaptionKeyPress(QKeyEvent* event);
    bool txtURLKeyPress(QKeyEvent* event);
    bool txtTFRAMEKeyPress(QKeyEvent* event);
    void Tree2MouseDown(Qt::MouseButton button, QPoint position);
    void Tree2MouseUp(Qt::MouseButton button, QPoint position);
    void Tree2Edited(Node* node, const QString& text);
    void btnBrowseLinkClick();

    // Project files and the life of the current project (project/TForm1Project.cpp). An empty
    // file name makes SaveProject ask for one and OpenProject show the open dialog. SaveProject
    // answers whether the project was written (not when the tree is empty or the dialog cancelled).
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
    void FormCloseQuery(bool& CanClose);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sets Updating for one filling of controls and clears it again, also when the filling fails.
    class UpdatingScope {
    public:
        explicit UpdatingScope(TForm1& form) : form_(form) { form_.setUpdating(true); }
        ~UpdatingScope() { form_.setUpdating(false); }
        UpdatingScope(const UpdatingScope&) = delete;
        UpdatingScope& operator=(const UpdatingScope&) = delete;

    private:
        TForm1& form_;
    };

    void setUpLook();
    void placeLabels();
    void fitListRow();
    void showHelpFocus(bool focused);
    void setUpSaveMenu();
    void setUpImportActions();
    // Runs an import with the progress dialog and adds its items as one step.
    void importSite(const std::function<std::optional<ImportResult>(ImportOptions&)>& run);
    void connectItemHandlers();
    void connectPropertyHandlers();
    void connectBuildAndShellHandlers();
    void connectDragDropHandlers();
    void connectProjectHandlers();
    void connectHistory();
    void setUpShortcuts();
    // A right-click menu of owner, filled by fill (when given) each time it opens.
    QMenu* contextMenu(QWidget* owner, const QString& name, const std::function<void()>& fill = {});
    void setUpOpenMenu();
    void setUpItemMenu();
    void layoutControls();
    void updateMinimumSize();
    void centreOnDesktop();
    void fitFrameWhenKnown(int attemptsLeft);
    void onCurrentChanged(const QModelIndex& current);
    void selectCurrentRow();
    void emptyCaptionAndLink();
    void focusCaptionBox();
    TMyRec& recordOf(Node* node);
    // The text of a box, with any line break that was typed or pasted into it removed.
    QString singleLineText(class QLineEdit* box);
    QString captionBoxText();
    // The captions of new items, as bytes of the project's encoding.
    NewItemCaptions newItemCaptions();

    Platform platform_;
    QStringList arguments_;
    TreeModel* model_ = nullptr;
    TfrmColors* frmColors_ = nullptr;
    UndoStack* history_ = nullptr;
    std::vector<std::pair<QWidget*, QPoint>> rightColumn_;
    bool shown_ = false;
    bool placementRestored_ = false;
};

}  // namespace quillmap
