// The main window's keyboard shortcuts. Each presses its button (or menu entry), so it runs the
// very handler a click runs; the keys are shown in the buttons' hints.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "app/TForm1.h"
#include "project/ProjectFiles.h"
#include "tree/ItemCommands.h"

namespace quillmap {

namespace {

const QKeySequence UndoKey(Qt::CTRL | Qt::Key_Z);
const QList<QKeySequence> RedoKeys{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)};
const QKeySequence SaveAsKey(Qt::CTRL | Qt::SHIFT | Qt::Key_S);

// A text box or the tree's in-place editor uses keys such as Insert and Delete itself.
bool textBoxHasFocus()
{
    QWidget* focus = QApplication::focusWidget();
    return qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus);
}

QString hintKey(const QKeySequence& key) { return QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + ')'; }

}  // namespace

const QKeySequence TForm1::OpenMenuKey(Qt::CTRL | Qt::SHIFT | Qt::Key_O);

std::vector<TForm1::ButtonKey> TForm1::buttonKeys() const
{
    return {{btnNew, QKeySequence(Qt::CTRL | Qt::Key_N), false},
            {btnOPEN, QKeySequence(Qt::CTRL | Qt::Key_O), false},
            {btnSAVE, QKeySequence(Qt::CTRL | Qt::Key_S), false},
            {btnBuild, QKeySequence(Qt::CTRL | Qt::Key_B), false},
            {btnBuild_Test, QKeySequence(Qt::Key_F5), false},
            {btnMoreHelp, QKeySequence(Qt::Key_F1), false},
            {btnRemove, ItemCommands::RemoveKey, true},
            {btnAddDoc, ItemCommands::AddDocumentKey, true},
            {btnAddFolder, ItemCommands::AddFolderKey, true}};
}

void TForm1::setUpShortcuts()
{
    auto addKeys = [this](const QList<QKeySequence>& keys, auto run) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, run);
    };
    for (const ButtonKey& entry : buttonKeys()) {
        QAbstractButton* button = entry.button;
        addKeys({entry.key}, [button, itemCommand = entry.itemCommand] {
            if (!(itemCommand && textBoxHasFocus())) button->click();
        });
    }
    addKeys({OpenMenuKey}, [this] { emit btnOPEN->customContextMenuRequested(QPoint(0, btnOPEN->height())); });
    addKeys({UndoKey}, [this] { guard([this] { document_->undo(); }); });
    addKeys(RedoKeys, [this] { guard([this] { document_->redo(); }); });
    // Save As is an entry of the save button's menu, which shows its key.
    QAction* saveAs = files_->mnuSaveAs;
    saveAs->setShortcut(SaveAsKey);
    saveAs->setShortcutContext(Qt::WindowShortcut);
    addAction(saveAs);

    for (QLineEdit* box : {txtCaption, txtURL, txtTFRAME, boxImg->lineEdit()}) box->installEventFilter(this);
    showShortcutsInHints();
}

// A button without a hint of its own shows its caption with the key. The buttons that show only
// a picture take their hint, without the key, as the name screen readers say.
void TForm1::showShortcutsInHints()
{
    for (const ButtonKey& entry : buttonKeys()) {
        QAbstractButton* button = entry.button;
        const QString key = hintKey(entry.key);
        QString hint = button->toolTip();
        // The key as the hint shows it: Lang.ini may have renamed the keys since.
        const QString shown = button->property("hintKey").toString();
        if (const qsizetype at = hint.lastIndexOf(shown.isEmpty() ? key : shown); at >= 0) hint.truncate(at);
        button->setProperty("hintKey", key);
        if (hint.isEmpty() || button->property("hintIsCaption").toBool()) {
            hint = button->text().remove(QLatin1Char('&'));
            button->setProperty("hintIsCaption", true);
        }
        QString more;
        if (button == btnOPEN)
            more = QLatin1Char('\n') + QString(openMenuHint).replace(QStringLiteral("%1"), OpenMenuKey.toString(QKeySequence::NativeText));
        button->setToolTip(hint + key + more);
        if (button->text().isEmpty()) button->setAccessibleName(hint);
    }
    btnColors->setAccessibleName(btnColors->toolTip());
}

// In the window's text boxes the undo keys take back the project's changes as everywhere else
// in the window (typing included, word by word), not just the box's own typing.
bool TForm1::historyKeyPress(QKeyEvent* event)
{
    const QKeySequence pressed(event->keyCombination());
    if (pressed == UndoKey) {
        document_->undo();
        return true;
    }
    if (RedoKeys.contains(pressed)) {
        document_->redo();
        return true;
    }
    return false;
}

}  // namespace quillmap
