#pragma once
#include <QKeySequence>
#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

#include "project/ProjectDocument.h"
#include "project/RecoveryCopy.h"
#include "shell/EventGuard.h"
#include "shell/Platform.h"
#include "styles/CurrentColorsWindow.h"
#include "text/MessageTexts.h"
#include "ui_TForm1.h"

class QAction;
class QKeyEvent;

namespace quillmap {

class ImportCommands;
class ItemCommands;
class LinkCheckCommands;
class ProjectFiles;
class PropertiesPanel;
class RecoveryKeeper;
class StatusLine;
class SiteCommands;
struct GlobalOptions;
class TfrmAskToAssociate;
class TfrmColors;

// The main window: the item tree, the Properties panel, the global options, the project and
// build buttons and the help panel. Its controls are those of TForm1.ui, reachable by name. It
// builds its parts, each a class of its own working on the document, and wires them together.
class TForm1 : public QWidget, public Ui::TForm1 {
    Q_OBJECT
public:
    // appFolder is the program's folder and ends with a path separator; arguments are the
    // command-line arguments after the program's own name.
    TForm1(const Platform& platform, QString appFolder, QStringList arguments, QWidget* parent = nullptr);
    ~TForm1() override;

    QString VersionText;
    QString TitleText;
    QString AppFolder;
    MessageTexts messages;

    // What the last build did, beside the Help button.
    StatusLine* lblStatus = nullptr;

    QPixmap picSAVED;
    QPixmap picNOT_SAVED;

    const QStringList& commandLineArguments() const { return arguments_; }
    const Platform& platform() const { return platform_; }

    ProjectDocument& document() const { return *document_; }
    PropertiesPanel& properties() const { return *properties_; }
    ItemCommands& items() const { return *items_; }
    ProjectFiles& projectFiles() const { return *files_; }
    ImportCommands& imports() const { return *imports_; }
    LinkCheckCommands& linkChecks() const { return *linkChecks_; }
    SiteCommands& siteCommands() const { return *site_; }
    RecoveryKeeper& recovery() const { return *recovery_; }
    // The project as a recovery copy keeps it, now.
    RecoveredProject recoverySnapshot() const;

    // Runs an event handler so that an error escaping it reaches the general error report.
    template <typename Handler>
    void guard(Handler&& handler)
    {
        guarded(platform_.prompts, std::forward<Handler>(handler));
    }

    // Marks the project saved or unsaved; the save button shows which.
    void SetSaved(bool value) { document_->SetSaved(value); }

    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& CanClose);

    // The Colors and Styles window, created right after this one at start-up.
    TfrmColors& frmColors() const;
    void createColorsWindow() { colors_.create(); }
    CurrentColorsWindow& colorsWindow() { return colors_; }
    void btnColorsClick();

    // The association prompt, created third at start-up.
    TfrmAskToAssociate* frmAskToAssociate = nullptr;
    void runAssociationCheck();
    // Asks again whether .qmp files should open with Quillmap, whatever was answered before.
    QAction* mnuRegister = nullptr;
    void mnuRegisterClick();
    void btnMoreHelpClick();
    void btnBrowseOUTClick();

    // The folder the menu is built into: the program's out folder, or the user's own when the
    // program's cannot be written, made or completed by the call. Throws quillmap::Error when that
    // fails.
    QString OutFolder() const;
    // The out folder as the window found it at start, named by the help text and holding the
    // custom images; the program's own when the user's could not be made then.
    const QString& startOutFolder() const { return startOutFolder_; }

    // "Build" and "Build and Test"; the test page is opened only for the sender named btnBuild_Test.
    // A project with a site is built into the site's menu folder.
    void btnBuildTestClick(QObject* Sender);
    void ShellOpen(const QString& file, const QString& parameters, const QString& folder, int showCommand);
    // Says which file or folder the system could not open.
    void reportNotOpened(const QString& file);
    // Sets the window caption and the application title together.
    void setTitle(const QString& caption);

    // Keyboard shortcuts of the buttons, shown in their hints (app/TForm1Shortcuts.cpp).
    struct ButtonKey {
        QAbstractButton* button;
        QKeySequence key;
        bool itemCommand;  // not while a text box has the focus
    };
    std::vector<ButtonKey> buttonKeys() const;
    // Opens the open button's menu: recent projects, import and the file type.
    static const QKeySequence OpenMenuKey;
    QString openMenuHint = QStringLiteral("Recent projects and import: right-click, Shift+F10 or %1");
    void showShortcutsInHints();
    // Undo and redo keys typed in a text box; answers whether it used the key.
    bool historyKeyPress(QKeyEvent* event);

    // Replaces the texts of the window from Lang.ini (app/TForm1Language.cpp).
    void ApplyLanguage();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString startOutFolder_;

    void createParts();
    void showSaved(bool saved);
    void showFileName();
    void setUpLook();
    void placeLabels();
    void fitListRow();
    void showHelpFocus(bool focused);
    void connectButtons();
    void buildSite(const GlobalOptions& options, bool test);
    void setUpShortcuts();
    void layoutControls();
    void updateMinimumSize();
    void centreOnDesktop();
    void fitIntoScreen();
    void fitFrameWhenKnown(int attemptsLeft);

    Platform platform_;
    QStringList arguments_;
    ProjectDocument* document_ = nullptr;
    CurrentColorsWindow colors_;
    PropertiesPanel* properties_ = nullptr;
    ItemCommands* items_ = nullptr;
    ProjectFiles* files_ = nullptr;
    ImportCommands* imports_ = nullptr;
    LinkCheckCommands* linkChecks_ = nullptr;
    SiteCommands* site_ = nullptr;
    RecoveryKeeper* recovery_ = nullptr;
    std::vector<std::pair<QWidget*, QPoint>> rightColumn_;
    bool shown_ = false;
    bool placementRestored_ = false;
};

}  // namespace quillmap
