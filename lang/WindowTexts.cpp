#include "lang/WindowTexts.h"

namespace quillmap {

void applyMainWindowLanguage(const LanguageFile& file, const TextSetter<MainText>& set)
{
    for (const auto& step : MainWindowReadingOrder) {
        const std::string& text = file.line(static_cast<std::size_t>(step.line));
        switch (step.target) {
        case MainText::Memo1:
            set(step.target, step.entry, helpTextFromLine(text));
            break;
        case MainText::TitleText:
            set(step.target, step.entry, makeTitleText(text, file.line(VersionLine)));
            break;
        default:
            set(step.target, step.entry, text);
        }
    }
    for (const auto& step : MainWindowLaterTexts) {
        if (static_cast<std::size_t>(step.line) >= file.lineCount()) break;
        set(step.target, step.entry, file.line(static_cast<std::size_t>(step.line)));
    }
}

void applyColorsWindowLanguage(const LanguageFile& file, const TextSetter<ColorsText>& set)
{
    for (const auto& step : ColorsWindowReadingOrder)
        set(step.target, step.entry, file.line(static_cast<std::size_t>(step.line)));
}

void applyPromptLanguage(const LanguageFile& file, const TextSetter<PromptText>& set)
{
    for (const auto& step : PromptReadingOrder)
        set(step.target, step.entry, file.line(static_cast<std::size_t>(step.line)));
}

void applyNewerLanguage(const LanguageFile& file, const std::function<void(NewerText, const std::string&)>& set)
{
    for (int i = 0; i < NewerTextCount; ++i) {
        const auto line = static_cast<std::size_t>(FirstNewerLine + i);
        if (line >= file.lineCount()) return;
        set(static_cast<NewerText>(i), file.line(line));
    }
}

}  // namespace quillmap
