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

// Keys typed in the tree (a number selects the item of that index); the outline after, with the
// item marked as cut starred, and the beeps.
using Typed = std::tuple<const char*, const char*, int>;
class KeyboardMoves : public EditorTest, public ::testing::WithParamInterface<Typed> {};
constexpr const char* same = "Root .A ..a1 ..a2 .d1 .B ";

TEST_P(KeyboardMoves, MoveOrRefuseAndOneUndoStepBringsBackTheTreeAsShown)
{
    TForm1& w = window();
    const auto outline = [&, model = &w.document().model()] {
        std::string text;
        w.document().tree().forEach([&](Node* n, int level) {
            text += std::string(level, '.') + n->caption + (model->indexOf(n).data(TreeModel::CutRole).toBool() ? "* " : " ");
        });
        return text;
    };
    w.items().selectNode(add(root, "B", ClosedFolderImage));
    w.Tree2->setFocus();
    for (const QString& key : QString(std::get<0>(GetParam())).split(' '))
        key[0].isDigit() ? w.items().selectNode(item(key.toInt())) : press(QKeySequence::fromString(key));
    EXPECT_EQ(outline(), std::get<1>(GetParam()));
    EXPECT_EQ(fake.beeper.beeps, std::get<2>(GetParam()));
    w.items().cancelCut();
    press(undoKey());
    EXPECT_EQ(outline(), same);
    EXPECT_TRUE(w.document().Saved && w.Tree2->isExpanded(w.document().model().indexOf(A)));
}

INSTANTIATE_TEST_SUITE_P(Rows, KeyboardMoves, ::testing::Values(
    Typed{"3 Alt+Up", "Root .A ..a2 ..a1 .d1 .B ", 0}, Typed{"3 Alt+Down", same, 1},
    Typed{"2 Alt+Left", "Root .A ..a2 .a1 .d1 .B ", 0}, Typed{"4 Alt+Right", "Root .A ..a1 ..a2 ..d1 .B ", 0},
    Typed{"1 Alt+Left", same, 1}, Typed{"1 Ctrl+X 5 Ctrl+V", "Root .d1 .B ..A ...a1 ...a2 ", 0},
    Typed{"1 Ctrl+X 3 Ctrl+V", "Root .A* ..a1 ..a2 .d1 .B ", 1}, Typed{"2 Ctrl+X Escape 5 Ctrl+V", same, 1},
    Typed{"2 Ctrl+X 3 Ctrl+X 5 Ctrl+V", "Root .A ..a1 .d1 .B ..a2 ", 0}, Typed{"1 Escape", "Root .d1 .B ", 0}));

}  // namespace
}  // namespace quillmap::test
