#pragma once
// The real platform layers: Qt dialogs and message boxes, the desktop's file and folder opening,
// and the system beep.
#include "shell/Platform.h"

namespace quillmap {

class QtPrompts : public Prompts {
public:
    void message(const QString& text) override;
    Answer askYesNo(const QString& text) override;
    Answer askYesNoCancel(const QString& text) override;
    Answer choose(const QString& text, const Choices& choices) override;
    ListAnswer actOnList(const ListQuestion& question, const std::function<void(int entry)>& remove) override;
    void error(const QString& text) override;
    QString openFileName(const FileDialogOptions& options) override;
    QString saveFileName(const FileDialogOptions& options) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    QString chooseFolder(const QString& title, const QString& folder) override;
    std::optional<SiteImportChoice> chooseSiteImport(const QString& site, const SiteImportChoice& preset,
                                                     const SiteImportTexts& texts) override;
    std::unique_ptr<Progress> showProgress(const QString& text) override;
};

// "open" opens a file with the program the desktop associates with it, "explore" shows a folder
// in the file manager. Parameters, working folder and show command have no counterpart on the
// desktops Qt serves and are not used.
class QtShell : public Shell {
public:
    bool execute(const QString& verb, const QString& file, const QString& parameters, const QString& folder,
                 int showCommand) override;
};

class QtBeeper : public Beeper {
public:
    void beep() override;
};

}  // namespace quillmap
