// Keyboard shortcuts press the buttons (the same handlers as a click), show in the hints, and
// leave text boxes and the in-place editor their keys.
#include <QSignalSpy>

#include "tests/gui/editor/EditorFixture.h"

namespace quillmap::test {
namespace {

using Shortcuts = EditorTest;

struct ButtonKey {
    QKeySequence key;
    const char* button;
};

const ButtonKey buttonKeys[] = {
    {QKeySequence(Qt::CTRL | Qt::Key_O), "btnOPEN"},     {QKeySequence(Qt::CTRL | Qt::Key_S), "btnSAVE"},
    {QKeySequence(Qt::CTRL | Qt::Key_B), "btnBuild"},    {QKeySequence(Qt::Key_F5), "btnBuild_Test"},
    {QKeySequence(Qt::Key_F1), "btnMoreHelp"},           {QKeySequence(Qt::Key_Insert), "btnAddDoc"},
    {QKeySequence(Qt::CTRL | Qt::Key_Insert), "btnAddFolder"}, {QKeySequence(Qt::Key_Delete), "btnRemove"},
    {QKeySequence(Qt::CTRL | Qt::Key_N), "btnNew"},
};

TEST_F(Shortcuts, EachKeyPressesItsButtonAndShowsInItsHint)
{
    TForm1& w = window();
    for (const auto& [key, name] : buttonKeys) {
        auto* button = w.findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(button->toolTip().section('\n', 0, 0).endsWith(" (" + key.toString(QKeySequence::NativeText) + ")"))
            << button->toolTip().toStdString();
        QSignalSpy clicks(button, &QAbstractButton::clicked);
        w.Tree2->setFocus();
        press(key);
        EXPECT_EQ(clicks.count(), 1) << name;
    }
    QSignalSpy saveAs(w.projectFiles().mnuSaveAs, &QAction::triggered);
    press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_EQ(saveAs.count(), 1);
    EXPECT_EQ(w.projectFiles().mnuSaveAs->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
}

TEST_F(Shortcuts, DeleteAsksTheRootQuestionAsRemoveDoes)
{
    TForm1& w = window();
    w.items().selectNode(root);
    w.Tree2->setFocus();
    fake.prompts.answers = {Prompts::Answer::No};
    press(QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(fake.prompts.texts("yesno"), QStringList{"Remove root node? (all tree will be deleted)"});
    EXPECT_EQ(w.document().tree().size(), 5u);
}

TEST_F(Shortcuts, TextBoxesAndTheInPlaceEditorKeepTheirKeys)
{
    TForm1& w = window();
    QSignalSpy removes(w.btnRemove, &QAbstractButton::clicked);
    QSignalSpy documents(w.btnAddDoc, &QAbstractButton::clicked);
    QSignalSpy folders(w.btnAddFolder, &QAbstractButton::clicked);
    const QKeySequence itemKeys[] = {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Insert),
                                     QKeySequence(Qt::CTRL | Qt::Key_Insert)};

    w.txtCaption->setFocus();
    w.txtCaption->setCursorPosition(0);
    for (const QKeySequence& key : itemKeys) press(key);
    EXPECT_EQ(w.txtCaption->text(), "1");  // Delete took the "a"

    w.Tree2->edit(w.document().model().indexOf(a2));
    auto* editor = w.Tree2->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setFocus();
    editor->setCursorPosition(0);
    for (const QKeySequence& key : itemKeys) press(key);
    EXPECT_EQ(editor->text(), "2");

    EXPECT_EQ(removes.count() + documents.count() + folders.count(), 0);
    EXPECT_EQ(w.document().tree().size(), 5u);
}

}  // namespace
}  // namespace quillmap::test
