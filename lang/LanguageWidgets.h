#pragma once
// Applying Lang.ini to the windows' controls, which are found by their object names.
#include <QString>
#include <functional>

#include "shell/Platform.h"
#include "lang/WindowTexts.h"

class QObject;
class QWidget;

namespace quillmap {

// A window's ApplyLanguage: reads appFolder + "Lang.ini" and hands it to apply. A missing line or
// an unreadable file goes to the general error report; the texts set before it stay.
void ApplyLanguageFile(Prompts& prompts, const QString& appFolder, const std::function<void(const LanguageFile&)>& apply);

// Whether a window's FormCreate reads the file at all: something exists under its name.
bool LanguageFilePresent(const QString& appFolder);

// The caption of a button, check box, label or menu entry, the title of a group box, the whole
// text of a text box.
void setControlText(QObject* control, const QString& text);
void setControlHint(QObject* control, const QString& text);
// One entry of a drop-down list; the list keeps its number of entries.
void setListEntry(QObject* control, int entry, const QString& text);
// The title of one column of a list with column titles; the list keeps its columns.
void setColumnTitle(QObject* control, int column, const QString& text);

// Main window: sets every control text it reads; the texts that belong to no control
// (VersionText, TitleText, the message texts with entry = number, and the texts the window's
// parts show in their messages and questions) go to fields as the file's bytes;
// file.encoding() tells how to read them.
void applyMainWindowTexts(QWidget* window, const LanguageFile& file,
                          const std::function<void(MainText target, int entry, const std::string& text)>& fields);
void applyColorsWindowTexts(QWidget* window, const LanguageFile& file);
void applyPromptTexts(QWidget* window, const LanguageFile& file);

// The object name of the control a text goes to; null for texts that belong to no control.
const char* controlName(MainText target);
const char* controlName(ColorsText target);
const char* controlName(PromptText target);

}  // namespace quillmap
