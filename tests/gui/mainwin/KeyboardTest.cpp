#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalSpy>

#include "styles/TfrmColors.h"
#include "tests/gui/mainwin/MainWindowFixture.h"
#include "tests/gui/support/LinuxOnly.h"

namespace quillmap::test {
namespace {

using Keyboard = MainWindowTest;

// What a screen reader says for a control: the labels it is labelled by (not the group it lies in,
// which is said on entering the group), then its name.
QString announced(QWidget* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    QStringList parts;
    for (const auto& [label, relation] : accessible->relations(QAccessible::Label))
        if (!qobject_cast<QGroupBox*>(label->object())) parts << label->text(QAccessible::Name).simplified();
    parts << accessible->text(QAccessible::Name).simplified();
    parts.removeDuplicates();
    return parts.join(QLatin1Char(' '));
}

// Every control the focus can reach is announced by its own label or caption; the picture-only
// buttons by their hint. (A box used to take its group's title, the open and save buttons both
// said "Project", the style lists only their value.)
TEST_F(Keyboard, ScreenReadersAnnounceEveryControlByItsOwnText)
{
    // On Windows Qt names a combo box by its own name, not its text, and screen readers there say
    // that name and then the text as the box's value; the model above is that of Linux.
    QUILLMAP_LINUX_ONLY("on Windows a combo box is named by its own name and says its text as its value");
    TForm1& w = window();
    w.show();
    w.frmColors().show();
    QList<QWidget*> controls = w.findChildren<QWidget*>() + w.frmColors().findChildren<QWidget*>();
    int checked = 0;
    for (QWidget* control : controls) {
        if (!control->isVisible() || control->focusPolicy() == Qt::NoFocus || control->focusProxy()) continue;
        SCOPED_TRACE(control->objectName().toStdString());
        const QString said = announced(control);
        EXPECT_FALSE(said.isEmpty());
        for (QWidget* group = control->parentWidget(); group; group = group->parentWidget()) {
            if (auto* box = qobject_cast<QGroupBox*>(group)) {
                EXPECT_NE(said, box->title().simplified());
            }
        }
        ++checked;
    }
    EXPECT_GE(checked, 30);
    const std::pair<QWidget*, QString> expected[] = {
        {w.txtCaption, "Caption:"}, {w.boxOpenFolder, "Initial state:"}, {w.btnOPEN, "Open"},
        {w.btnSAVE, "Save"}, {w.btnColors, "Colors and Styles"}, {w.Tree2, "Menu tree"},
        {w.frmColors().findChild<QWidget*>("boxVisitedLinkStyle"), "Visited Link: none"}};
    for (const auto& [control, text] : expected) EXPECT_EQ(announced(control), text) << control->objectName().toStdString();

    // The tree's rows say what kind of item they are, which on screen only the picture shows.
    buildSmallTree();
    w.Tree2->expandAll();
    QStringList rows;
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(w.Tree2);
    for (int i = 0; i < tree->childCount(); ++i)
        if (QAccessibleInterface* row = tree->child(i); row->role() == QAccessible::TreeItem)
            rows << row->text(QAccessible::Name) + "|" + row->text(QAccessible::Description);
    EXPECT_EQ(rows, QStringList({"Root Folder|Folder", "New Folder|Folder", "New Document|Document"}));
}

// Enter and the keypad's Enter press the focused button, exactly once, like Space.
TEST_F(Keyboard, EnterPressesTheFocusedButton)
{
    TForm1& w = window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // The main window's own buttons, not those of windows it owns (the link check's results).
    QList<QPushButton*> buttons = w.findChildren<QPushButton*>();
    buttons.removeIf([&](QPushButton* button) { return button->window() != &w; });
    ASSERT_EQ(buttons.size(), 12);
    for (QPushButton* button : buttons) {
        if (!button->isVisible() || !button->isEnabled()) continue;
        for (const auto& [key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier},
                                             std::pair{Qt::Key_Enter, Qt::KeypadModifier}}) {
            SCOPED_TRACE(button->objectName().toStdString());
            button->setFocus(Qt::TabFocusReason);
            ASSERT_EQ(QApplication::focusWidget(), button);
            QSignalSpy clicks(button, &QPushButton::clicked);
            QTest::keyClick(button, key, modifiers);
            EXPECT_EQ(clicks.size(), 1);
            settle();
            w.frmColors().hide();
            QApplication::setActiveWindow(&w);
        }
    }
    // The presses reached the handlers: Help opened the help page twice.
    int helpPages = 0;
    for (const auto& call : fake.shell.calls) helpPages += call.file.endsWith("index.htm");
    EXPECT_EQ(helpPages, 2);
}

// After a click on an item the focus is in the Caption box; F2 still renames the item in the tree.
TEST_F(MainWindowTest, F2RenamesTheSelectedItemAfterAClick)
{
    TForm1& w = window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    buildSmallTree();
    const QRect row = w.Tree2->visualRect(w.document().model().indexOf(item(1)));
    QTest::mouseClick(w.Tree2->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_EQ(QApplication::focusWidget(), w.txtCaption);
    QTest::keyClick(w.txtCaption, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(w.Tree2->isAncestorOf(editor));  // the tree's own in-place editor
    editor->setText("Renamed");
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(caption(1), "Renamed");
}

// Lines join every item below the root to its folder; the root row has none.
TEST_F(MainWindowTest, TreeDrawsConnectingLinesBelowTheRoot)
{
    TForm1& w = window();
    w.show();
    buildSmallTree();
    const QImage picture = w.Tree2->viewport()->grab().toImage();
    const QColor background = w.Tree2->palette().color(QPalette::Base);
    const auto linePixels = [&](int absoluteIndex) {
        const QRect row = w.Tree2->visualRect(w.document().model().indexOf(item(absoluteIndex)));
        int count = 0;
        for (int x = 0; x < row.left(); ++x)
            for (int y = row.top(); y <= row.bottom(); ++y) count += picture.pixelColor(x, y) != background;
        return count;
    };
    EXPECT_EQ(linePixels(0), 0);
    EXPECT_GT(linePixels(1), 10);  // the folder: its line and its minus box
    EXPECT_GT(linePixels(2), 10);  // the document: a line to its folder
}

// The tree's current item and the help text show when they hold the keyboard focus.
TEST_F(MainWindowTest, TreeAndHelpTextShowTheKeyboardFocus)
{
    TForm1& w = window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    buildSmallTree();
    const QRect current = w.Tree2->visualRect(w.Tree2->currentIndex());
    w.txtURL->setFocus(Qt::TabFocusReason);
    const QImage unfocused = w.Tree2->viewport()->grab(current).toImage();
    w.Tree2->setFocus(Qt::TabFocusReason);
    EXPECT_NE(w.Tree2->viewport()->grab(current).toImage(), unfocused);

    EXPECT_EQ(w.Memo1->frameShape(), QFrame::NoFrame);
    w.Memo1->setFocus(Qt::TabFocusReason);
    EXPECT_NE(w.Memo1->frameShape(), QFrame::NoFrame);
    w.Tree2->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w.Memo1->frameShape(), QFrame::NoFrame);
}

}  // namespace
}  // namespace quillmap::test
