// The main window's texts from Lang.ini: captions, hints, list entries, the help text, the
// version and title texts and the seventeen message texts.
#include "text/LocalText.h"
#include "app/TForm1.h"
#include "import/ImportCommands.h"
#include "lang/LanguageWidgets.h"
#include "tree/ItemCommands.h"

namespace quillmap {

// Replacing list entries must not look like the user's choice, hence Updating. The window's
// title is left alone: it takes TitleText the next time it is set.
void TForm1::ApplyLanguage()
{
    ApplyLanguageFile(platform_.prompts, AppFolder, [this](const LanguageFile& file) {
        ProjectDocument::UpdatingScope updating(*document_);
        applyMainWindowTexts(this, file, [this, &file](MainText target, int entry, const std::string& text) {
            switch (target) {
            case MainText::VersionText: VersionText = decodedText(text, file.encoding()); break;
            case MainText::TitleText: TitleText = decodedText(text, file.encoding()); break;
            // The window keeps its message texts as UTF-8, whatever the file's encoding.
            case MainText::Message: messages.byNumber(entry) = decodedText(text, file.encoding()).toStdString(); break;
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
