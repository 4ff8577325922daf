#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QUndoCommand>

#include "../support/Doubles.h"
#include "project/EditState.h"
#include "styles/ColorSwatch.h"
#include "styles/TfrmColors.h"

using namespace quillmap;
using namespace quillmap::test;

namespace {

// The main window's Updating flag and unsaved mark, with every change recorded; a recorded
// change marks the project unsaved.
class FakeEditState : public EditState {
public:
    bool updating = false;
    bool saved = true;
    std::vector<bool> updatingChanges;
    std::vector<bool> setSavedCalls;

    bool isUpdating() const override { return updating; }
    void setUpdating(bool value) override
    {
        updating = value;
        updatingChanges.push_back(value);
    }
    void SetSaved(bool value) override
    {
        saved = value;
        setSavedCalls.push_back(value);
    }
    std::vector<std::unique_ptr<QUndoCommand>> changes;
    void recordChange(QUndoCommand* change) override
    {
        changes.emplace_back(change);
        SetSaved(false);
    }
};

const std::vector<std::string> defaultLines = {
    "BODY {background-color: #FFFFFF}", "A:link {text-decoration: none; color: #0000FF}",
    "A:visited {text-decoration: none; color: #0000FF}", "A:hover {text-decoration: none; color: #FF0000}",
    "TD {color: #000000}"};

class ColorsWindow : public ::testing::Test {
protected:
    FakePlatform fakes;
    FakeEditState state;
    Platform platform = fakes.platform();
    std::unique_ptr<TfrmColors> window = std::make_unique<TfrmColors>(platform, state, "/opt/quillmap/");

    ColorSwatch* swatch(const char* name) { return window->findChild<ColorSwatch*>(name); }
    QComboBox* list(const char* name) { return window->findChild<QComboBox*>(name); }
    QString text(const char* label) { return window->findChild<QLabel*>(label)->text(); }
};

}  // namespace

TEST_F(ColorsWindow, StartsHiddenWithTheDefaultLookAndStylesheet)
{
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Colors and Styles");
    EXPECT_EQ(window->size(), QSize(301, 254));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    EXPECT_EQ(window->styleSheetLines(), defaultLines);
    EXPECT_EQ(window->look(), MenuLook{});
    EXPECT_EQ(swatch("panActivatedLinkColor")->color(), QColor(255, 0, 0));
    EXPECT_EQ(swatch("panLinkColor")->size(), QSize(20, 20));
    for (const char* name : {"boxLinkStyle", "boxVisitedLinkStyle", "boxActivatedLinkStyle"}) {
        QComboBox* box = list(name);
        EXPECT_FALSE(box->isEditable());
        EXPECT_EQ(box->currentIndex(), 0);
        ASSERT_EQ(box->count(), 4);
        EXPECT_EQ(box->itemText(3), "line-through");
    }
    EXPECT_EQ(text("Label1"), "Colors");
    EXPECT_TRUE(window->findChild<QLabel*>("Label2")->font().underline());
    EXPECT_EQ(text("lblActivatedLink"), "Activated Link:");
    EXPECT_EQ(text("lblNote"), "Note: most styles work in Internet Explorer only.");
    EXPECT_EQ(window->appFolder(), "/opt/quillmap/");

    // Creation sets and clears the main window's Updating, and is no edit.
    EXPECT_EQ(state.updatingChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(state.setSavedCalls.empty());
}

TEST_F(ColorsWindow, ChosenColourGoesIntoTheSwatchAndTheStylesheet)
{
    fakes.prompts.colors.push_back(QColor(0x12, 0x34, 0x56));
    QTest::mouseClick(swatch("panVisitedLinkColor"), Qt::LeftButton);
    ASSERT_EQ(fakes.prompts.colorPresets.size(), 1u);
    EXPECT_EQ(fakes.prompts.colorPresets[0], QColor(0, 0, 255));
    EXPECT_EQ(swatch("panVisitedLinkColor")->color(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(window->styleSheetLines()[2], "A:visited {text-decoration: none; color: #123456}");
    EXPECT_EQ(state.setSavedCalls, (std::vector<bool>{false}));

    // Confirming the colour the swatch already has still marks the project unsaved.
    fakes.prompts.colors.push_back(QColor(0xFF, 0xFF, 0xFF));
    window->panBackColorClick(swatch("panBackColor"));
    EXPECT_EQ(state.setSavedCalls, (std::vector<bool>{false, false}));
    EXPECT_EQ(fakes.prompts.colorPresets[1], QColor(255, 255, 255));
}

TEST_F(ColorsWindow, CancellingTheColourChooserChangesNothing)
{
    QTest::mouseClick(swatch("panTextColor"), Qt::LeftButton);
    EXPECT_EQ(fakes.prompts.texts("color").size(), 1);
    EXPECT_EQ(swatch("panTextColor")->color(), QColor(0, 0, 0));
    EXPECT_EQ(window->styleSheetLines(), defaultLines);
    EXPECT_TRUE(state.setSavedCalls.empty());

    // A press that is let go outside the swatch is no click.
    QTest::mousePress(swatch("panTextColor"), Qt::LeftButton);
    QTest::mouseRelease(swatch("panTextColor"), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(fakes.prompts.texts("color").size(), 1);
}

TEST_F(ColorsWindow, StyleChangeRebuildsAndMarksUnsavedUnlessUpdating)
{
    list("boxLinkStyle")->setCurrentIndex(1);
    list("boxVisitedLinkStyle")->setCurrentIndex(3);
    std::vector<std::string> expected = defaultLines;
    expected[1] = "A:link {text-decoration: underline; color: #0000FF}";
    expected[2] = "A:visited {text-decoration: line-through; color: #0000FF}";
    EXPECT_EQ(window->styleSheetLines(), expected);
    EXPECT_EQ(state.setSavedCalls, (std::vector<bool>{false, false}));

    // The program's own filling (the project reader) sets Updating around it.
    state.updating = true;
    window->setStyle(2, 2);
    state.updating = false;
    EXPECT_EQ(window->styleSheetLines(), expected);
    EXPECT_EQ(state.setSavedCalls.size(), 2u);
    EXPECT_EQ(window->look().activatedLinkStyle, 2);
    window->BuildStyleSheet();
    EXPECT_EQ(window->styleSheetLines()[3], "A:hover {text-decoration: overline; color: #FF0000}");
}

TEST_F(ColorsWindow, StylesAndColoursFromAProject)
{
    state.updating = true;
    window->setStyle(0, -1);
    window->setStyle(1, 4);
    window->setStyle(2, 3);
    window->setStyle(3, 1);  // no such list
    window->setColor(0, {0xA0, 0xB0, 0xC0});
    window->setColor(5, {1, 1, 1});  // no such swatch
    state.updating = false;
    const MenuLook look = window->look();
    EXPECT_EQ(look.linkStyle, -1);
    EXPECT_EQ(look.visitedLinkStyle, -1);
    EXPECT_EQ(look.activatedLinkStyle, 3);
    EXPECT_EQ(look.backColor, (Rgb{0xA0, 0xB0, 0xC0}));
    EXPECT_EQ(list("boxLinkStyle")->currentText(), "");
    // Loading does not rebuild the stylesheet; the next build does.
    EXPECT_EQ(window->styleSheetLines(), defaultLines);
    window->BuildStyleSheet();
    EXPECT_EQ(window->styleSheetLines()[0], "BODY {background-color: #A0B0C0}");
    EXPECT_EQ(window->styleSheetLines()[1], "A:link {text-decoration: none; color: #0000FF}");
    EXPECT_TRUE(state.setSavedCalls.empty());
}

TEST_F(ColorsWindow, ShowsCentredOverTheMainWindowEveryTime)
{
    QWidget main;
    main.setGeometry(100, 80, 582, 452);
    main.show();
    window->showCentredOver(&main);
    EXPECT_TRUE(window->isVisible());
    const QRect m = main.frameGeometry();
    const QRect w = window->frameGeometry();
    EXPECT_EQ(w.left(), m.left() + (m.width() - w.width()) / 2);
    EXPECT_EQ(w.top(), m.top() + (m.height() - w.height()) / 2);

    // Moved away by the user, shown again: back to the centre, still the same window.
    window->move(5, 5);
    main.move(300, 200);
    window->showCentredOver(&main);
    EXPECT_EQ(window->frameGeometry().left(), main.frameGeometry().left() + (m.width() - w.width()) / 2);
    EXPECT_EQ(window->frameGeometry().top(), main.frameGeometry().top() + (m.height() - w.height()) / 2);

    // A main window narrower than this one: the division truncates toward zero, no clamping.
    main.setGeometry(0, 0, 200, 100);
    window->showCentredOver(&main);
    const int expectedLeft = main.frameGeometry().left() + (main.frameGeometry().width() - w.width()) / 2;
    EXPECT_LT(expectedLeft, 0);
    EXPECT_EQ(window->frameGeometry().left(), expectedLeft);
}

TEST_F(ColorsWindow, ClosingOnlyHidesAndKeepsTheValues)
{
    QPointer<TfrmColors> alive(window.get());
    QWidget main;
    main.setGeometry(0, 0, 582, 452);
    window->showCentredOver(&main);
    window->setColor(2, {1, 2, 3});
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    QCoreApplication::processEvents();
    ASSERT_FALSE(alive.isNull());
    EXPECT_FALSE(window->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(window->look().linkColor, (Rgb{1, 2, 3}));
}

// Each swatch takes the focus in row order, shows it, opens the chooser with Space or Enter and
// is announced by its label.
TEST_F(ColorsWindow, SwatchesWorkFromTheKeyboard)
{
    const std::pair<const char*, const char*> swatches[] = {{"panBackColor", "Background"},
                                                            {"panTextColor", "Text"},
                                                            {"panLinkColor", "Link"},
                                                            {"panVisitedLinkColor", "Visited Link"},
                                                            {"panActivatedLinkColor", "Activated Link"}};
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    swatch("panBackColor")->setFocus(Qt::TabFocusReason);
    for (const auto& [name, spoken] : swatches) {
        SCOPED_TRACE(name);
        ColorSwatch* s = swatch(name);
        EXPECT_EQ(QApplication::focusWidget(), s);
        EXPECT_EQ(s->accessibleName(), spoken);
        const QImage focused = s->grab().toImage();
        fakes.prompts.colorPresets.clear();
        QTest::keyClick(s, Qt::Key_Space);
        QTest::keyClick(s, Qt::Key_Return);
        QTest::keyClick(s, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(fakes.prompts.colorPresets, std::vector<QColor>(3, s->color()));
        QTest::keyClick(s, Qt::Key_Tab);
        if (!std::string_view(name).starts_with("panB") && !std::string_view(name).starts_with("panT"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // past the row's style list
        EXPECT_NE(s->grab().toImage(), focused) << "the focus does not show";
    }
    EXPECT_TRUE(state.setSavedCalls.empty());  // every chooser was cancelled
}

// A window manager activates the main window when the chooser closes; the keyboard goes back to
// the swatch all the same, so the next keys cannot press the main window's buttons.
TEST_F(ColorsWindow, TheSwatchHasTheFocusAgainAfterTheChooser)
{
    QWidget main;
    main.show();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    fakes.prompts.whileChoosingColor = [&main] {
        main.activateWindow();
        (void)QTest::qWaitForWindowActive(&main);
    };
    for (const std::optional<QColor>& answer : {std::optional<QColor>(), std::optional<QColor>(Qt::red)}) {
        if (answer) fakes.prompts.colors.push_back(answer);
        ColorSwatch* s = swatch("panLinkColor");
        s->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s, Qt::Key_Space);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window.get(); }, 1000));
        EXPECT_EQ(QApplication::focusWidget(), s);
    }
}
