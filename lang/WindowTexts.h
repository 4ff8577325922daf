#pragma once
// Which line of Lang.ini replaces which text of each window, in the order the window reads them.
// The order matters: a window stops at the first line its file lacks and keeps what it set before.
#include <array>
#include <functional>
#include <string>

#include "lang/LanguageFile.h"

namespace quillmap {

template <class Target>
struct LanguageStep {
    int line;
    Target target;
    int entry = 0;  // the list entry for list targets, the message number for Message
};

// Texts of the main window TForm1. Hints are tooltips; entries are list items.
enum class MainText {
    btnAddFolder, btnAddDoc, btnRemove, GroupBox1, lblTFRAME, chkUSETEXTLINKS, btnColorsHint, GroupBox3,
    btnNew, btnOPENHint, btnSAVEHint, btnBuild_Test, btnBuild, btnBrowseOUT,
    Memo1,        // the whole help text, line breaks already made
    btnMoreHelp,
    VersionText,
    TitleText,    // product name + " " + version
    Message,      // one of the seventeen message texts; entry is its number
    lblLinkTarget, boxTargetEntry, lblInitialState, boxOpenFolderEntry, lblImage,
    lblCaption, lblLink, GroupBox2, mnuSave, mnuSaveAs,
    // The link check: its two menu entries and its results window.
    mnuCheckLinks, mnuCheckLinksBelow, frmLinkCheck, chkOnline, btnCheckAgain, btnSiteFolder,
    listResultsHeader,   // a column title of the results; entry is the column
    linkCheckProgress,   // the progress dialog's text
    siteFolderPrompt,    // the title of the site folder chooser
    linkCheckSummary,    // %1 links checked, %2 of them broken, %3 not checked
    // The recovery of unsaved work.
    recoveryOffer,       // %1 the project's name, %2 the time of the copy
    recoveryNewProject,  // the name of a project never saved
    recoveryDamaged,     // %1 the name the damaged copy is kept under
    recoveryOff,         // %1 the reason
    // A project file changed by another program; \n starts a new line. %1 is the file's name.
    diskChangedBeforeSave, diskChangedOnReturn, diskDeleted,
    btnReload, btnSaveAnyway, btnKeepMine, btnCancel,  // the buttons of these questions
    // The list of several recovery copies: its text, its entries and its buttons.
    recoveryList,
    recoveryListEntry,       // %1 the project's file, %2 the time of the copy
    recoveryListDamaged,     // %1 the name the damaged copy is kept under
    recoveryListUnreadable,  // %1 why the copy cannot be read
    btnRestore, btnDiscard, btnDiscardAll, btnNotNow,
    // Before the first save of work restored from a copy that knows no baseline; %1 the file's name.
    diskBaselineUnknown,
    // The Site dialog: its menu entry, window title, labels, hints and buttons, then its choosers'
    // titles and its refusals (%1 and %2 the folder or page and the site folder).
    mnuSite, frmSite, lblSiteIntro, lblSiteFolder, btnSiteFolderHint, lblMenuFolder, btnMenuFolderHint,
    chkWritePages, chkWritePagesHint, lblStartPage, txtStartPagePlaceholder, btnStartPageHint, btnClearSite,
    btnClearSiteHint, siteOk, siteCancel, siteFolderTitle, menuFolderTitle, startPageTitle, siteFullPathNeeded,
    siteFolderMissing, menuOutsideSite, startPageOutsideSite,
    // The site import dialog.
    siteImportAbout, siteImportContentsLabel, siteImportContentsName, siteImportPickHint, siteImportKeepTitles,
    siteImportKeepTitlesHint, siteImportOk, siteImportCancel,
    chkAutoClose,
    // The question boxes: their title and buttons.
    questionTitle, btnYes, btnNo, btnQuestionCancel,
    // The names of keys in the shortcuts that hints and menus show.
    keyCtrl, keyShift, keyDel, keyIns,
};

// Texts of the Colors and Styles window TfrmColors.
enum class ColorsText {
    Label1, Label2, lblBackground, lblText, lblLink, lblVLink, lblActivatedLink,
    boxLinkStyleEntry, boxVisitedLinkStyleEntry, boxActivatedLinkStyleEntry,
    lblNote,
    Caption,  // the window caption
};

// Texts of the association prompt TfrmAskToAssociate.
enum class PromptText { Label1, Label2, BitBtn1, BitBtn2, chkNeverAsk, Caption };

inline constexpr int VersionLine = 45;
inline constexpr int ProductNameLine = 44;

inline constexpr std::array<LanguageStep<MainText>, 47> MainWindowReadingOrder{{
    {7, MainText::btnAddFolder}, {8, MainText::btnAddDoc}, {9, MainText::btnRemove},
    {10, MainText::GroupBox1}, {11, MainText::lblTFRAME}, {12, MainText::chkUSETEXTLINKS},
    {13, MainText::btnColorsHint}, {14, MainText::GroupBox3}, {15, MainText::btnNew},
    {16, MainText::btnOPENHint}, {17, MainText::btnSAVEHint}, {18, MainText::btnBuild_Test},
    {19, MainText::btnBuild}, {20, MainText::btnBrowseOUT}, {21, MainText::Memo1}, {22, MainText::btnMoreHelp},
    {VersionLine, MainText::VersionText}, {ProductNameLine, MainText::TitleText},
    {47, MainText::Message, 1}, {48, MainText::Message, 2}, {49, MainText::Message, 3},
    {51, MainText::lblLinkTarget}, {52, MainText::boxTargetEntry, 0}, {53, MainText::boxTargetEntry, 1},
    {54, MainText::lblInitialState}, {55, MainText::boxOpenFolderEntry, 0},
    {56, MainText::boxOpenFolderEntry, 1}, {57, MainText::lblImage},
    {59, MainText::Message, 4}, {60, MainText::Message, 5}, {61, MainText::Message, 6},
    {63, MainText::Message, 7}, {64, MainText::Message, 8}, {65, MainText::Message, 9},
    {66, MainText::Message, 10}, {67, MainText::Message, 11}, {68, MainText::Message, 12},
    {69, MainText::Message, 13}, {70, MainText::Message, 14}, {71, MainText::Message, 15},
    {72, MainText::Message, 16}, {73, MainText::Message, 17},
    {75, MainText::lblCaption}, {76, MainText::lblLink}, {77, MainText::GroupBox2},
    {79, MainText::mnuSave}, {80, MainText::mnuSaveAs},
}};

// Texts of the main window added after the first language files were written. They are read
// while the file has them: an older file ends before them, still loads, and keeps the English
// texts for these. New texts get the lines after the last one here; a line once given keeps its
// text, so that every older file still fits.
inline constexpr std::array<LanguageStep<MainText>, 72> MainWindowLaterTexts{{
    {94, MainText::mnuCheckLinks}, {95, MainText::mnuCheckLinksBelow}, {96, MainText::frmLinkCheck},
    {97, MainText::chkOnline}, {98, MainText::btnCheckAgain}, {99, MainText::btnSiteFolder},
    {100, MainText::listResultsHeader, 0}, {101, MainText::listResultsHeader, 1},
    {102, MainText::listResultsHeader, 2}, {103, MainText::linkCheckProgress}, {104, MainText::siteFolderPrompt},
    {105, MainText::linkCheckSummary},
    {106, MainText::recoveryOffer}, {107, MainText::recoveryNewProject}, {108, MainText::recoveryDamaged},
    {109, MainText::recoveryOff},
    {110, MainText::diskChangedBeforeSave}, {111, MainText::diskChangedOnReturn}, {112, MainText::diskDeleted},
    {113, MainText::btnReload}, {114, MainText::btnSaveAnyway}, {115, MainText::btnKeepMine},
    {116, MainText::btnCancel},
    {117, MainText::recoveryList}, {118, MainText::recoveryListEntry}, {119, MainText::recoveryListDamaged},
    {120, MainText::recoveryListUnreadable}, {121, MainText::btnRestore}, {122, MainText::btnDiscard},
    {123, MainText::btnDiscardAll}, {124, MainText::btnNotNow}, {125, MainText::diskBaselineUnknown},
    {126, MainText::mnuSite}, {127, MainText::frmSite}, {128, MainText::lblSiteIntro}, {129, MainText::lblSiteFolder},
    {130, MainText::btnSiteFolderHint}, {131, MainText::lblMenuFolder}, {132, MainText::btnMenuFolderHint},
    {133, MainText::chkWritePages}, {134, MainText::chkWritePagesHint}, {135, MainText::lblStartPage},
    {136, MainText::txtStartPagePlaceholder}, {137, MainText::btnStartPageHint}, {138, MainText::btnClearSite},
    {139, MainText::btnClearSiteHint}, {140, MainText::siteOk}, {141, MainText::siteCancel},
    {142, MainText::siteFolderTitle}, {143, MainText::menuFolderTitle}, {144, MainText::startPageTitle},
    {145, MainText::siteFullPathNeeded}, {146, MainText::siteFolderMissing}, {147, MainText::menuOutsideSite},
    {148, MainText::startPageOutsideSite},
    {149, MainText::siteImportAbout}, {150, MainText::siteImportContentsLabel}, {151, MainText::siteImportContentsName},
    {152, MainText::siteImportPickHint}, {153, MainText::siteImportKeepTitles}, {154, MainText::siteImportKeepTitlesHint},
    {155, MainText::siteImportOk}, {156, MainText::siteImportCancel},
    {157, MainText::chkAutoClose}, {158, MainText::questionTitle}, {159, MainText::btnYes}, {160, MainText::btnNo},
    {161, MainText::btnQuestionCancel}, {162, MainText::keyCtrl}, {163, MainText::keyShift}, {164, MainText::keyDel},
    {165, MainText::keyIns},
}};

inline constexpr std::array<LanguageStep<ColorsText>, 21> ColorsWindowReadingOrder{{
    {30, ColorsText::Label1}, {31, ColorsText::Label2}, {32, ColorsText::lblBackground},
    {33, ColorsText::lblText}, {34, ColorsText::lblLink}, {35, ColorsText::lblVLink},
    {36, ColorsText::lblActivatedLink},
    {37, ColorsText::boxLinkStyleEntry, 0}, {37, ColorsText::boxVisitedLinkStyleEntry, 0},
    {37, ColorsText::boxActivatedLinkStyleEntry, 0},
    {38, ColorsText::boxLinkStyleEntry, 1}, {38, ColorsText::boxVisitedLinkStyleEntry, 1},
    {38, ColorsText::boxActivatedLinkStyleEntry, 1},
    {39, ColorsText::boxLinkStyleEntry, 2}, {39, ColorsText::boxVisitedLinkStyleEntry, 2},
    {39, ColorsText::boxActivatedLinkStyleEntry, 2},
    {40, ColorsText::boxLinkStyleEntry, 3}, {40, ColorsText::boxVisitedLinkStyleEntry, 3},
    {40, ColorsText::boxActivatedLinkStyleEntry, 3},
    {41, ColorsText::lblNote}, {42, ColorsText::Caption},
}};

inline constexpr std::array<LanguageStep<PromptText>, 6> PromptReadingOrder{{
    {24, PromptText::Label1}, {25, PromptText::Label2}, {26, PromptText::BitBtn1},
    {27, PromptText::BitBtn2}, {28, PromptText::chkNeverAsk}, {ProductNameLine, PromptText::Caption},
}};

// Texts the program gained later, one line each from FirstNewerLine on, in this order. Unlike
// the lines before them they may be missing: a file that ends earlier (any older one) leaves the
// rest of them in English and reports nothing.
enum class NewerText {
    mnuRename, mnuImportFolder, mnuImportSitemap,
    mnuMoveUp, mnuMoveDown, mnuMoveOut, mnuMoveIn, mnuCut, mnuPaste,
    mnuRegister,
    openMenuHint,  // %1 stands for the key
    btnClose,      // of the Colors and Styles window
};
inline constexpr int FirstNewerLine = 82;
inline constexpr int NewerTextCount = 12;

template <class Target>
using TextSetter = std::function<void(Target target, int entry, const std::string& text)>;

// Each hands the window's texts to set in reading order and throws quillmap::Error at the first
// missing line, after everything before it has been set. The main window's help text arrives
// with its line breaks made, and TitleText as line 44 + " " + line 45.
void applyMainWindowLanguage(const LanguageFile& file, const TextSetter<MainText>& set);
void applyColorsWindowLanguage(const LanguageFile& file, const TextSetter<ColorsText>& set);
void applyPromptLanguage(const LanguageFile& file, const TextSetter<PromptText>& set);
// Hands every newer text the file has to set; never throws for a missing line.
void applyNewerLanguage(const LanguageFile& file, const std::function<void(NewerText target, const std::string& text)>& set);

}  // namespace quillmap
