#include <QApplication>
#include <QSignalSpy>

#include "styles/TfrmColors.h"
#include "tests/gui/mainwin/MainWindowFixture.h"

namespace quillmap::test {
namespace {

using Keyboard = MainWindowTest;

// Enter and the keypad's Enter press the focused button, exactly once, like Space.
TEST_F(Keyboard, EnterPressesTheFocusedButton)
{
    TForm1& w = window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QList<QPushButton*> buttons = w.findChildren<QPushButton*>();
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

}  // namespace
}  // namespace quillmap::test
