#include "lang/LanguageWidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTreeWidget>
#include <QWidget>

#include "text/Error.h"
#include "shell/EventGuard.h"
#include "text/LocalText.h"

namespace quillmap {

namespace {

std::filesystem::path languagePath(const QString& appFolder) { return languageFilePath(toFilePath(appFolder)); }

QObject* findControl(QWidget* window, const char* name)
{
    QObject* control = window->findChild<QObject*>(QString::fromLatin1(name));
    if (!control) throw Error(std::string("The window has no control named ") + name);
    return control;
}

// Text boxes show line breaks as LF; the help text arrives with CR LF.
QString displayLines(const QString& text)
{
    QString lines = text;
    return lines.replace("\r\n", "\n");
}

}  // namespace

void ApplyLanguageFile(Prompts& prompts, const QString& appFolder, const std::function<void(const LanguageFile&)>& apply)
{
    guarded(prompts, [&] { apply(LanguageFile::load(languagePath(appFolder))); });
}

bool LanguageFilePresent(const QString& appFolder) { return languageFileExists(languagePath(appFolder)); }

void setControlText(QObject* control, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control)) label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control)) group->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(control)) action->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) plain->setPlainText(displayLines(text));
    else if (auto* rich = qobject_cast<QTextEdit*>(control)) rich->setPlainText(displayLines(text));
    else if (auto* line = qobject_cast<QLineEdit*>(control)) line->setText(text);
    else if (auto* widget = qobject_cast<QWidget*>(control); widget && widget->isWindow()) widget->setWindowTitle(text);
    else throw Error("Cannot set the text of " + control->objectName().toStdString());
}

void setControlHint(QObject* control, const QString& text)
{
    if (auto* widget = qobject_cast<QWidget*>(control)) widget->setToolTip(text);
    else if (auto* action = qobject_cast<QAction*>(control)) action->setToolTip(text);
    else throw Error("Cannot set the hint of " + control->objectName().toStdString());
}

void setListEntry(QObject* control, int entry, const QString& text)
{
    auto* list = qobject_cast<QComboBox*>(control);
    if (!list) throw Error("Cannot set a list entry of " + control->objectName().toStdString());
    if (entry < 0 || entry >= list->count())
        throw Error("The list " + control->objectName().toStdString() + " has no entry " + std::to_string(entry));
    list->setItemText(entry, text);
}

void setColumnTitle(QObject* control, int column, const QString& text)
{
    auto* list = qobject_cast<QTreeWidget*>(control);
    if (!list) throw Error("Cannot set a column title of " + control->objectName().toStdString());
    if (column < 0 || column >= list->columnCount())
        throw Error("The list " + control->objectName().toStdString() + " has no column " + std::to_string(column));
    list->headerItem()->setText(column, text);
}

const char* controlName(MainText target)
{
    switch (target) {
    case MainText::btnAddFolder: return "btnAddFolder";
    case MainText::btnAddDoc: return "btnAddDoc";
    case MainText::btnRemove: return "btnRemove";
    case MainText::GroupBox1: return "GroupBox1";
    case MainText::lblTFRAME: return "lblTFRAME";
    case MainText::chkUSETEXTLINKS: return "chkUSETEXTLINKS";
    case MainText::btnColorsHint: return "btnColors";
    case MainText::GroupBox3: return "GroupBox3";
    case MainText::btnNew: return "btnNew";
    case MainText::btnOPENHint: return "btnOPEN";
    case MainText::btnSAVEHint: return "btnSAVE";
    case MainText::btnBuild_Test: return "btnBuild_Test";
    case MainText::btnBuild: return "btnBuild";
    case MainText::btnBrowseOUT: return "btnBrowseOUT";
    case MainText::Memo1: return "Memo1";
    case MainText::btnMoreHelp: return "btnMoreHelp";
    case MainText::lblLinkTarget: return "lblLinkTarget";
    case MainText::boxTargetEntry: return "boxTarget";
    case MainText::lblInitialState: return "lblInitialState";
    case MainText::boxOpenFolderEntry: return "boxOpenFolder";
    case MainText::lblImage: return "lblImage";
    case MainText::lblCaption: return "lblCaption";
    case MainText::lblLink: return "lblLink";
    case MainText::GroupBox2: return "GroupBox2";
    case MainText::mnuSave: return "mnuSave";
    case MainText::mnuSaveAs: return "mnuSaveAs";
    case MainText::mnuCheckLinks: return "mnuCheckLinks";
    case MainText::mnuCheckLinksBelow: return "mnuCheckLinksBelow";
    case MainText::frmLinkCheck: return "frmLinkCheck";
    case MainText::chkOnline: return "chkOnline";
    case MainText::btnCheckAgain: return "btnCheckAgain";
    case MainText::btnSiteFolder: return "btnSiteFolder";
    case MainText::listResultsHeader: return "listResults";
    case MainText::chkAutoClose: return "chkAutoClose";
    case MainText::VersionText:
    case MainText::TitleText:
    case MainText::Message:
    case MainText::linkCheckProgress:
    case MainText::siteFolderPrompt:
    case MainText::linkCheckSummary:
    case MainText::recoveryOffer:
    case MainText::recoveryNewProject:
    case MainText::recoveryDamaged:
    case MainText::recoveryOff:
    case MainText::diskChangedBeforeSave:
    case MainText::diskChangedOnReturn:
    case MainText::diskDeleted:
    case MainText::btnReload:
    case MainText::btnSaveAnyway:
    case MainText::btnKeepMine:
    case MainText::btnCancel:
    case MainText::recoveryList:
    case MainText::recoveryListEntry:
    case MainText::recoveryListDamaged:
    case MainText::recoveryListUnreadable:
    case MainText::btnRestore:
    case MainText::btnDiscard:
    case MainText::btnDiscardAll:
    case MainText::btnNotNow:
    case MainText::diskBaselineUnknown:
    // The Site dialog and the site import dialog are no controls of the main window.
    case MainText::mnuSite:
    case MainText::frmSite:
    case MainText::lblSiteIntro:
    case MainText::lblSiteFolder:
    case MainText::btnSiteFolderHint:
    case MainText::lblMenuFolder:
    case MainText::btnMenuFolderHint:
    case MainText::chkWritePages:
    case MainText::chkWritePagesHint:
    case MainText::lblStartPage:
    case MainText::txtStartPagePlaceholder:
    case MainText::btnStartPageHint:
    case MainText::btnClearSite:
    case MainText::btnClearSiteHint:
    case MainText::siteOk:
    case MainText::siteCancel:
    case MainText::siteFolderTitle:
    case MainText::menuFolderTitle:
    case MainText::startPageTitle:
    case MainText::siteFullPathNeeded:
    case MainText::siteFolderMissing:
    case MainText::menuOutsideSite:
    case MainText::startPageOutsideSite:
    case MainText::siteImportAbout:
    case MainText::siteImportContentsLabel:
    case MainText::siteImportContentsName:
    case MainText::siteImportPickHint:
    case MainText::siteImportKeepTitles:
    case MainText::siteImportKeepTitlesHint:
    case MainText::siteImportOk:
    case MainText::siteImportCancel:
    case MainText::questionTitle:
    case MainText::btnYes:
    case MainText::btnNo:
    case MainText::btnQuestionCancel:
    case MainText::keyCtrl:
    case MainText::keyShift:
    case MainText::keyDel:
    case MainText::keyIns: return nullptr;
    }
    return nullptr;
}

const char* controlName(ColorsText target)
{
    switch (target) {
    case ColorsText::Label1: return "Label1";
    case ColorsText::Label2: return "Label2";
    case ColorsText::lblBackground: return "lblBackground";
    case ColorsText::lblText: return "lblText";
    case ColorsText::lblLink: return "lblLink";
    case ColorsText::lblVLink: return "lblVLink";
    case ColorsText::lblActivatedLink: return "lblActivatedLink";
    case ColorsText::boxLinkStyleEntry: return "boxLinkStyle";
    case ColorsText::boxVisitedLinkStyleEntry: return "boxVisitedLinkStyle";
    case ColorsText::boxActivatedLinkStyleEntry: return "boxActivatedLinkStyle";
    case ColorsText::lblNote: return "lblNote";
    case ColorsText::Caption: return nullptr;
    }
    return nullptr;
}

const char* controlName(PromptText target)
{
    switch (target) {
    case PromptText::Label1: return "Label1";
    case PromptText::Label2: return "Label2";
    case PromptText::BitBtn1: return "BitBtn1";
    case PromptText::BitBtn2: return "BitBtn2";
    case PromptText::chkNeverAsk: return "chkNeverAsk";
    case PromptText::Caption: return nullptr;
    }
    return nullptr;
}

void applyMainWindowTexts(QWidget* window, const LanguageFile& file,
                          const std::function<void(MainText, int, const std::string&)>& fields)
{
    applyMainWindowLanguage(file, [&](MainText target, int entry, const std::string& line) {
        const char* name = controlName(target);
        if (!name) {
            fields(target, entry, line);
            return;
        }
        const QString text = decodedText(line, file.encoding());
        switch (target) {
        case MainText::btnColorsHint:
        case MainText::btnOPENHint:
        case MainText::btnSAVEHint: setControlHint(findControl(window, name), text); break;
        case MainText::boxTargetEntry:
        case MainText::boxOpenFolderEntry: setListEntry(findControl(window, name), entry, text); break;
        case MainText::listResultsHeader: setColumnTitle(findControl(window, name), entry, text); break;
        default: setControlText(findControl(window, name), text);
        }
    });
}

void applyColorsWindowTexts(QWidget* window, const LanguageFile& file)
{
    applyColorsWindowLanguage(file, [&](ColorsText target, int entry, const std::string& line) {
        const QString text = decodedText(line, file.encoding());
        switch (target) {
        case ColorsText::Caption: window->setWindowTitle(text); break;
        case ColorsText::boxLinkStyleEntry:
        case ColorsText::boxVisitedLinkStyleEntry:
        case ColorsText::boxActivatedLinkStyleEntry:
            setListEntry(findControl(window, controlName(target)), entry, text);
            break;
        default: setControlText(findControl(window, controlName(target)), text);
        }
    });
}

void applyPromptTexts(QWidget* window, const LanguageFile& file)
{
    applyPromptLanguage(file, [&](PromptText target, int, const std::string& line) {
        const QString text = decodedText(line, file.encoding());
        if (target == PromptText::Caption) window->setWindowTitle(text);
        else setControlText(findControl(window, controlName(target)), text);
    });
}

}  // namespace quillmap
