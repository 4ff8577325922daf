// The main window's texts from Lang.ini: captions, hints, list entries, the help text, the
// version and title texts and the seventeen message texts.
#include "app/TForm1.h"
#include "lang/LanguageWidgets.h"

namespace quillmap {

// Replacing list entries must not look like the user's choice, hence Updating. The window's
// title is left alone: it takes TitleText the next time it is set.
void TForm1::ApplyLanguage()
{
    ApplyLanguageFile(platform_.prompts, AppFolder, [this](const LanguageFile& file) {
        UpdatingScope updating(*this);
        applyMainWindowTexts(this, file, [this](MainText target, int entry, const std::string& text) {
            switch (target) {
            case MainText::VersionText: VersionText = QString::fromLocal8Bit(text); break;
            case MainText::TitleText: TitleText = QString::fromLocal8Bit(text); break;
            case MainText::Message: messages.byNumber(entry) = text; break;
            default: break;
            }
        });
    });
    // Labels take the width of their new texts, also when the file stopped half-way.
    placeLabels();
    showShortcutsInHints();
}

}  // namespace quillmap
