#include "shell/ListDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ApplicationTitle.h"

namespace quillmap {

ListDialog::ListDialog(const Prompts::ListQuestion& question, std::function<void(int entry)> remove, QWidget* parent)
    : QDialog(parent), question_(question), remove_(std::move(remove))
{
    setWindowTitle(applicationTitle());
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(question.text, this);
    label->setWordWrap(true);
    list_ = new QListWidget(this);
    label->setBuddy(list_);
    list_->setAccessibleName(question.text);
    for (int i = 0; i < question.entries.size(); ++i) {
        auto* item = new QListWidgetItem(question.entries[i], list_);
        item->setData(Qt::UserRole, i);
        item->setToolTip(question.entries[i]);
    }
    auto* buttons = new QDialogButtonBox(this);
    take_ = buttons->addButton(question.take, QDialogButtonBox::AcceptRole);
    removeOne_ = buttons->addButton(question.remove, QDialogButtonBox::ActionRole);
    QPushButton* removeAll = buttons->addButton(question.removeAll, QDialogButtonBox::DestructiveRole);
    QPushButton* close = buttons->addButton(question.close, QDialogButtonBox::RejectRole);
    take_->setDefault(true);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(640, 360);

    connect(take_, &QPushButton::clicked, this, [this] { end(Prompts::ListAnswer::Action::Take, currentEntry()); });
    connect(removeAll, &QPushButton::clicked, this, [this] { end(Prompts::ListAnswer::Action::RemoveAll, -1); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(removeOne_, &QPushButton::clicked, this, [this] {
        const int entry = currentEntry();
        if (entry < 0) return;
        remove_(entry);
        delete list_->currentItem();
        if (list_->count() == 0) reject();
        list_->setFocus();
    });
    // Enter reaches the default button through the list; only a double click needs its own way.
    connect(list_, &QListWidget::itemDoubleClicked, take_, &QPushButton::click);
    connect(list_, &QListWidget::currentRowChanged, this, &ListDialog::showButtons);

    int first = 0;
    while (first < question.takeable.size() && !question.takeable[first]) ++first;
    list_->setCurrentRow(first < list_->count() ? first : 0);
    list_->setFocus();
    showButtons();
}

int ListDialog::currentEntry() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void ListDialog::showButtons()
{
    const int entry = currentEntry();
    take_->setEnabled(entry >= 0 && entry < question_.takeable.size() && question_.takeable[entry]);
    removeOne_->setEnabled(entry >= 0);
}

void ListDialog::end(Prompts::ListAnswer::Action action, int entry)
{
    if (action == Prompts::ListAnswer::Action::Take && !take_->isEnabled()) return;
    answer_ = {action, entry};
    accept();
}

}  // namespace quillmap
