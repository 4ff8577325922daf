// The main window's texts from Lang.ini: captions, hints, list entries, the help text, the
// version and title texts, the seventeen message texts and the texts its parts show.
#include "text/LocalText.h"
#include "app/TForm1.h"
#include "import/ImportCommands.h"
#include "import/LinkCheckCommands.h"
#include "lang/LanguageWidgets.h"
#include "project/ProjectFiles.h"
#include "project/RecoveryKeeper.h"
#include "site/SiteCommands.h"
#include "site/TfrmSite.h"
#include "shell/QuestionTexts.h"
#include "tree/ItemCommands.h"

namespace quillmap {

namespace {

// A message or question of the file, where \n starts a new line as in the help text.
QString messageText(const std::string& line, TextEncoding encoding)
{
    return decodedText(helpTextFromLine(line), encoding).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

// Replacing list entries must not look like the user's choice, hence Updating. The window's
// title is left alone: it takes TitleText the next time it is set.
void TForm1::ApplyLanguage()
{
    ApplyLanguageFile(platform_.prompts, AppFolder, [this](const LanguageFile& file) {
        ProjectDocument::UpdatingScope updating(*document_);
        applyMainWindowTexts(this, file, [this, &file](MainText target, int entry, const std::string& text) {
            const QString plain = decodedText(text, file.encoding());
            const QString message = messageText(text, file.encoding());
            LinkCheckCommands::Texts& checks = linkChecks_->texts;
            RecoveryKeeper::Texts& recovery = recovery_->texts;
            ProjectFiles::DiskTexts& disk = files_->diskTexts;
            TfrmSite& site = *site_->frmSite;
            Prompts::SiteImportTexts& import = imports_->siteImportTexts;
            switch (target) {
            case MainText::VersionText: VersionText = plain; break;
            case MainText::TitleText: TitleText = plain; break;
            // The window keeps its message texts as UTF-8, whatever the file's encoding.
            case MainText::Message: messages.byNumber(entry) = plain.toStdString(); break;
            case MainText::linkCheckProgress: checks.progress = plain; break;
            case MainText::siteFolderPrompt: checks.siteFolderPrompt = plain; break;
            case MainText::linkCheckSummary: checks.summary = message; break;
            case MainText::recoveryOffer: recovery.offer = message; break;
            case MainText::recoveryNewProject: recovery.newProject = plain; break;
            case MainText::recoveryDamaged: recovery.damaged = message; break;
            case MainText::recoveryOff: recovery.off = message; break;
            case MainText::diskChangedBeforeSave: disk.changedBeforeSave = message; break;
            case MainText::diskChangedOnReturn: disk.changedOnReturn = message; break;
            case MainText::diskDeleted: disk.deleted = message; break;
            case MainText::btnReload: disk.reload = plain; break;
            case MainText::btnSaveAnyway: disk.saveAnyway = plain; break;
            case MainText::btnKeepMine: disk.keepMine = plain; break;
            case MainText::btnCancel: disk.cancel = plain; break;
            case MainText::recoveryList: recovery.list = message; break;
            case MainText::recoveryListEntry: recovery.listEntry = plain; break;
            case MainText::recoveryListDamaged: recovery.listDamaged = plain; break;
            case MainText::recoveryListUnreadable: recovery.listUnreadable = plain; break;
            case MainText::btnRestore: recovery.restore = plain; break;
            case MainText::btnDiscard: recovery.discard = plain; break;
            case MainText::btnDiscardAll: recovery.discardAll = plain; break;
            case MainText::btnNotNow: recovery.notNow = plain; break;
            case MainText::diskBaselineUnknown: disk.baselineUnknown = message; break;
            case MainText::mnuSite: site_->mnuSite->setText(plain); break;
            case MainText::frmSite: site.setWindowTitle(plain); break;
            case MainText::lblSiteIntro: site.lblIntro->setText(plain); break;
            case MainText::lblSiteFolder: site.lblSiteFolder->setText(plain); break;
            case MainText::btnSiteFolderHint: site.btnChooseSiteFolder->setToolTip(plain); break;
            case MainText::lblMenuFolder: site.lblMenuFolder->setText(plain); break;
            case MainText::btnMenuFolderHint: site.btnMenuFolder->setToolTip(plain); break;
            case MainText::chkWritePages: site.chkWritePages->setText(plain); break;
            case MainText::chkWritePagesHint: site.chkWritePages->setToolTip(plain); break;
            case MainText::lblStartPage: site.lblStartPage->setText(plain); break;
            case MainText::txtStartPagePlaceholder: site.txtStartPage->setPlaceholderText(plain); break;
            case MainText::btnStartPageHint: site.btnStartPage->setToolTip(plain); break;
            case MainText::btnClearSite: site.btnClearSite->setText(plain); break;
            case MainText::btnClearSiteHint: site.btnClearSite->setToolTip(plain); break;
            case MainText::siteOk: site.buttonBox->button(QDialogButtonBox::Ok)->setText(plain); break;
            case MainText::siteCancel: site.buttonBox->button(QDialogButtonBox::Cancel)->setText(plain); break;
            case MainText::siteFolderTitle: site.texts.siteFolderTitle = plain; break;
            case MainText::menuFolderTitle: site.texts.menuFolderTitle = plain; break;
            case MainText::startPageTitle: site.texts.startPageTitle = plain; break;
            case MainText::siteFullPathNeeded: site.texts.fullPathNeeded = message; break;
            case MainText::siteFolderMissing: site.texts.siteFolderMissing = message; break;
            case MainText::menuOutsideSite: site.texts.menuOutsideSite = message; break;
            case MainText::startPageOutsideSite: site.texts.startPageOutsideSite = message; break;
            case MainText::siteImportAbout: import.about = plain; break;
            case MainText::siteImportContentsLabel: import.contentsLabel = plain; break;
            case MainText::siteImportContentsName: import.contentsName = plain; break;
            case MainText::siteImportPickHint: import.pickHint = plain; break;
            case MainText::siteImportKeepTitles: import.keepTitles = plain; break;
            case MainText::siteImportKeepTitlesHint: import.keepTitlesHint = plain; break;
            case MainText::siteImportOk: import.ok = plain; break;
            case MainText::siteImportCancel: import.cancel = plain; break;
            case MainText::questionTitle: questionTexts().title = plain; break;
            case MainText::btnYes: questionTexts().yes = plain; break;
            case MainText::btnNo: questionTexts().no = plain; break;
            case MainText::btnQuestionCancel: questionTexts().cancel = plain; break;
            case MainText::keyCtrl: setKeyName(QStringLiteral("Ctrl"), plain); break;
            case MainText::keyShift: setKeyName(QStringLiteral("Shift"), plain); break;
            case MainText::keyDel: setKeyName(QStringLiteral("Del"), plain); break;
            case MainText::keyIns: setKeyName(QStringLiteral("Ins"), plain); break;
            default: break;
            }
        });
        applyNewerLanguage(file, [this, &file](NewerText target, const std::string& line) {
            const QString text = decodedText(line, file.encoding());
            ItemCommands::MenuTexts& menu = items_->menuTexts;
            switch (target) {
            case NewerText::mnuRename: menu.rename = text; break;
            case NewerText::mnuImportFolder: imports_->mnuImportFolder->setText(text); break;
            case NewerText::mnuImportSitemap: imports_->mnuImportSitemap->setText(text); break;
            case NewerText::mnuMoveUp: menu.moveUp = text; break;
            case NewerText::mnuMoveDown: menu.moveDown = text; break;
            case NewerText::mnuMoveOut: menu.moveOut = text; break;
            case NewerText::mnuMoveIn: menu.moveIn = text; break;
            case NewerText::mnuCut: menu.cut = text; break;
            case NewerText::mnuPaste: menu.paste = text; break;
            case NewerText::mnuRegister: mnuRegister->setText(text); break;
            case NewerText::openMenuHint: openMenuHint = text; break;
            case NewerText::btnClose: break;  // the Colors and Styles window's own
            }
        });
    });
    // Labels take the width of their new texts, also when the file stopped half-way.
    placeLabels();
    showShortcutsInHints();
}

}  // namespace quillmap
