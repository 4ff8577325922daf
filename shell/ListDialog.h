#pragma once
// The dialog of Prompts::actOnList: a text, a list and its buttons.
#include <QDialog>
#include <functional>

#include "shell/Platform.h"

class QListWidget;
class QPushButton;

namespace quillmap {

class ListDialog : public QDialog {
    Q_OBJECT
public:
    ListDialog(const Prompts::ListQuestion& question, std::function<void(int entry)> remove, QWidget* parent);
    Prompts::ListAnswer answer() const { return answer_; }

private:
    void showButtons();
    void end(Prompts::ListAnswer::Action action, int entry);
    int currentEntry() const;

    Prompts::ListQuestion question_;
    std::function<void(int)> remove_;
    Prompts::ListAnswer answer_;
    QListWidget* list_;
    QPushButton* take_;
    QPushButton* removeOne_;
};

}  // namespace quillmap
