#pragma once
#include <QString>

namespace quillmap {

// The title and the buttons of the question boxes (Prompts::askYesNo, askYesNoCancel, choose's
// title), replaced by Lang.ini.
struct QuestionTexts {
    QString title = QStringLiteral("Confirm");
    QString yes = QStringLiteral("&Yes");
    QString no = QStringLiteral("&No");
    QString cancel = QStringLiteral("&Cancel");
};
QuestionTexts& questionTexts();

// A key's name in every shortcut text the toolkit writes, the hints' and the menus' alike:
// setKeyName("Ctrl", "Strg") makes Ctrl+S read Strg+S.
void setKeyName(const QString& english, const QString& name);
// Every key by its English name again.
void clearKeyNames();

}  // namespace quillmap
