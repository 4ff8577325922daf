#pragma once
// The program's doors to the desktop: dialogs and message boxes, the shell, the registry and the
// warning beep. Windows receive a Platform; the program passes the Qt implementations, tests pass
// doubles (tests/gui/support/Doubles.h).
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace quillmap {

// The progress dialog of a long operation, open while the object lives.
class Progress {
public:
    virtual ~Progress() = default;
    // Shows done of total (total 0: not known yet) and lets the window handle input; false once
    // the user has cancelled.
    virtual bool update(qint64 done, qint64 total) = 0;
};

class Prompts {
public:
    enum class Answer { Yes, No, Cancel };

    struct FileDialogOptions {
        QString folder;              // starting folder
        QString fileName;            // preset file name, may be empty
        QString filter;              // "Description|pattern;pattern|Description|pattern"
        QString defaultSuffix;       // added to a typed name without extension
        bool confirmOverwrite = false;
    };

    // The buttons of a question that says on them what each answer does. cancel may be empty:
    // then the question has no Cancel button.
    struct Choices {
        QString yes;
        QString no;
        QString cancel;
    };

    // A list of things to act on one by one or all at once.
    struct ListQuestion {
        QString text;             // above the list, and the list's name for screen readers
        QStringList entries;
        QList<bool> takeable;     // per entry: whether the take button may act on it
        QString take;             // the default button: takes the selected entry and ends
        QString remove;           // removes the selected entry; the list stays open
        QString removeAll;        // removes every entry and ends
        QString close;            // ends, leaving the rest as they are (also Escape)
    };
    struct ListAnswer {
        enum class Action { Take, RemoveAll, Close } action = Action::Close;
        int entry = -1;  // the entry taken, counted in the entries as given
    };

    // How a site folder is imported.
    struct SiteImportChoice {
        QString contentsPage;     // the page whose lists give the order; empty: order of names
        bool keepTitles = false;  // keep the title ending or beginning most pages share
    };
    // The texts of the dialog that asks for these, replaced by the language file's.
    struct SiteImportTexts {
        QString about = QStringLiteral("The lists of links of a table of contents page give the menu its order and "
                                       "folders. Leave it empty to order pages by their file names.");
        QString contentsLabel = QStringLiteral("&Table of contents page:");
        QString contentsName = QStringLiteral("Table of contents page");  // the field's name, the chooser's title
        QString pickHint = QStringLiteral("Choose the table of contents page");
        QString keepTitles = QStringLiteral("&Keep the site-wide title ending");
        QString keepTitlesHint = QStringLiteral(
            "Captions are the whole page titles, with the ending or beginning most of them share (\" - Site name\")");
        QString ok = QStringLiteral("&Import");
        QString cancel = QStringLiteral("&Cancel");
    };

    virtual ~Prompts() = default;
    // A refusal or notice: application title, no icon, one OK button.
    virtual void message(const QString& text) = 0;
    // "Confirm", question icon, Yes (default) and No; Escape answers No.
    virtual Answer askYesNo(const QString& text) = 0;
    // "Confirm", question icon, Yes (default), No and Cancel; Escape or closing answers Cancel.
    virtual Answer askYesNoCancel(const QString& text) = 0;
    // A question with the buttons of choices: the yes button is the default; Escape or closing
    // answers Cancel, or No when there is no cancel button. The answer names the button.
    virtual Answer choose(const QString& text, const Choices& choices) = 0;
    // Shows question as a dialog with its list and buttons until an entry is taken, all are
    // removed or the dialog is closed; remove(entry) is called for each entry the user removes
    // on the way (the entry as given), after which the dialog no longer lists it. It closes by
    // itself once the list is empty.
    virtual ListAnswer actOnList(const ListQuestion& question, const std::function<void(int entry)>& remove) = 0;
    // The general error report: application title, error icon, OK. The text is shown as given.
    virtual void error(const QString& text) = 0;
    // Empty text when the user cancels.
    virtual QString openFileName(const FileDialogOptions& options) = 0;
    virtual QString saveFileName(const FileDialogOptions& options) = 0;
    // The colour chooser, preset to initial; empty when cancelled.
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    // The folder chooser with its title, starting in folder; empty text when cancelled.
    virtual QString chooseFolder(const QString& title, const QString& folder) = 0;
    // The choices before a site folder's import, preset with preset; its "..." button picks the
    // contents page in site. Empty when cancelled.
    virtual std::optional<SiteImportChoice> chooseSiteImport(const QString& site, const SiteImportChoice& preset,
                                                             const SiteImportTexts& texts) = 0;
    // Opens a progress dialog with a Cancel button, showing text; the dialog is modal to the
    // whole program, so nothing else can be changed while it is open.
    virtual std::unique_ptr<Progress> showProgress(const QString& text) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Like ShellExecute: verb "open" opens a file with its program, "explore" shows a folder.
    // False when nothing could be opened (no program for the file, a missing file).
    virtual bool execute(const QString& verb, const QString& file, const QString& parameters,
                         const QString& folder, int showCommand) = 0;
};

enum class RegistryRoot { ClassesRoot, CurrentUser };

class Registry {
public:
    virtual ~Registry() = default;
    // The string value of key (backslash-separated path); an empty name is the key's default
    // value. A missing key or value reads as the empty text.
    virtual QString read(RegistryRoot root, const QString& key, const QString& name) = 0;
    // Creates missing keys on the way. Throws quillmap::Error when the value cannot be written.
    virtual void write(RegistryRoot root, const QString& key, const QString& name, const QString& value) = 0;
};

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;  // the exclamation sound
};

struct Platform {
    Prompts& prompts;
    Shell& shell;
    Registry& registry;
    Beeper& beeper;
};

}  // namespace quillmap
