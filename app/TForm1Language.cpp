// The main window's texts from Lang.ini: captions, hints, list entries, the help text, the
// version and title texts and the seventeen message texts.
#include "text/LocalText.h"
#include "app/TForm1.h"
#include "lang/LanguageWidgets.h"

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
    });
    // Labels take the width of their new texts, also when the file stopped half-way.
    placeLabels();
    showShortcutsInHints();
}

}  // namespace quillmap
