// Undo and redo of every kind of change, and the unsaved mark following the history.
#include "styles/ColorSwatch.h"
#include "tests/gui/editor/EditorFixture.h"

namespace quillmap::test {
namespace {

struct Change {
    const char* name;
    std::function<void(TForm1&, class UndoEveryChange&)> make;
};

class UndoEveryChange : public EditorTest, public ::testing::WithParamInterface<Change> {
public:
    using EditorTest::centreOf;
    using EditorTest::A;
    using EditorTest::a1;
    using EditorTest::d1;
    using EditorTest::root;
    using EditorTest::fake;
    void choose(Node* node) { window().items().selectNode(node); }
};

// Each change made the way the user makes it.
const Change changes[] = {
    {"NewFolder", [](TForm1& w, UndoEveryChange& t) { t.choose(t.A); w.btnAddFolder->click(); }},
    {"NewDocument", [](TForm1& w, UndoEveryChange& t) { t.choose(t.A); w.btnAddDoc->click(); }},
    {"RemoveFolder", [](TForm1& w, UndoEveryChange& t) { t.choose(t.A); w.btnRemove->click(); }},
    {"RemoveRoot", [](TForm1& w, UndoEveryChange& t) { t.choose(t.root); w.btnRemove->click(); }},
    {"EscapeRemovesFolder",
     [](TForm1& w, UndoEveryChange& t) {
         t.choose(t.A);
         w.Tree2->setFocus();
         QTest::keyClick(w.Tree2, Qt::Key_Escape);
     }},
    {"CaptionTyped", [](TForm1& w, UndoEveryChange&) { QTest::keyClicks(w.txtCaption, "x"); }},
    {"RenamedInPlace",
     [](TForm1& w, UndoEveryChange& t) { w.document().model().setData(w.document().model().indexOf(t.a1), "Renamed"); }},
    {"Link", [](TForm1& w, UndoEveryChange&) { QTest::keyClicks(w.txtURL, "y"); }},
    {"Target", [](TForm1& w, UndoEveryChange&) { w.boxTarget->setCurrentIndex(1); }},
    {"InitialState", [](TForm1& w, UndoEveryChange& t) { t.choose(t.A); w.boxOpenFolder->setCurrentIndex(1); }},
    {"Image", [](TForm1& w, UndoEveryChange&) { QTest::keyClicks(w.boxImg->lineEdit(), "p.gif"); }},
    {"DropBeforeDocument",
     [](TForm1& w, UndoEveryChange& t) { t.choose(t.d1); w.items().Tree2DragDrop(t.centreOf(t.a1)); }},
    {"DropIntoFolder", [](TForm1& w, UndoEveryChange& t) { t.choose(t.d1); w.items().Tree2DragDrop(t.centreOf(t.A)); }},
    {"TargetFrame", [](TForm1& w, UndoEveryChange&) { QTest::keyClicks(w.txtTFRAME, "z"); }},
    {"TextLinks", [](TForm1& w, UndoEveryChange&) { w.chkUSETEXTLINKS->click(); }},
    {"AutoClose", [](TForm1& w, UndoEveryChange&) { w.chkAutoClose->click(); }},
    {"Colour",
     [](TForm1& w, UndoEveryChange& t) {
         t.fake.prompts.colors.push_back(QColor(10, 20, 30));
         w.frmColors().panBackColorClick(w.frmColors().findChild<ColorSwatch*>("panVisitedLinkColor"));
     }},
    {"Style",
     [](TForm1& w, UndoEveryChange&) { w.frmColors().findChild<QComboBox*>("boxVisitedLinkStyle")->setCurrentIndex(2); }},
};

TEST_P(UndoEveryChange, UndoRestoresRedoRepeatsAndTheMarkFollows)
{
    TForm1& w = window();
    const std::string before = project();
    GetParam().make(w, *this);
    settle();
    const std::string after = project();
    ASSERT_NE(after, before);
    ASSERT_FALSE(w.document().Saved);

    w.Tree2->setFocus();
    press(undoKey());
    EXPECT_EQ(project(), before);
    EXPECT_TRUE(w.document().Saved);
    EXPECT_EQ(w.btnSAVE->icon().pixmap(w.picSAVED.size()).toImage(), w.picSAVED.toImage());

    for (const QKeySequence& redo : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        press(redo);
        EXPECT_EQ(project(), after) << redo.toString().toStdString();
        EXPECT_FALSE(w.document().Saved);
        press(undoKey());
        EXPECT_EQ(project(), before);
    }
    // The panel shows the item the change touched (or what the tree selects now).
    if (Node* shown = w.items().selectedNode()) {
        EXPECT_EQ(w.txtCaption->text().toStdString(), shown->caption);
    }
    EXPECT_FALSE(w.document().Updating);
    EXPECT_TRUE(fake.prompts.texts("error").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Changes, UndoEveryChange, ::testing::ValuesIn(changes),
                         [](const ::testing::TestParamInfo<Change>& info) { return std::string(info.param.name); });

using History = EditorTest;

TEST_F(History, TypingIsUndoneWordByWordInTheCaptionBox)
{
    TForm1& w = window();
    w.txtCaption->setFocus();
    w.txtCaption->selectAll();
    QTest::keyClicks(w.txtCaption, "Hello big world");
    ASSERT_EQ(a1->caption, "Hello big world");
    press(undoKey());
    EXPECT_EQ(a1->caption, "Hello big ");
    EXPECT_EQ(w.txtCaption->text(), "Hello big ");
    press(undoKey());
    EXPECT_EQ(a1->caption, "Hello ");
    press(undoKey());
    EXPECT_EQ(a1->caption, "a1");
    EXPECT_TRUE(w.document().Saved);
    EXPECT_FALSE(w.document().history().canUndo());
    press(QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(w.Tree2->model()->data(w.document().model().indexOf(a1)).toString(), "Hello ");
}

TEST_F(History, TheSavedStateIsWhereverTheLastSaveWas)
{
    TForm1& w = window();
    w.btnAddDoc->click();
    fake.prompts.fileNames.push_back(folder.path() + "/Projects/site.qmp");
    w.projectFiles().mnuSaveAsClick();
    ASSERT_TRUE(w.document().Saved);
    const std::string saved = project();
    w.btnAddDoc->click();
    w.document().undo();
    EXPECT_TRUE(w.document().Saved);
    w.document().undo();  // before the save: unsaved again
    EXPECT_FALSE(w.document().Saved);
    w.document().redo();
    EXPECT_TRUE(w.document().Saved);
    EXPECT_EQ(project(), saved);
}

TEST_F(History, NewAndOpenStartAFreshHistory)
{
    TForm1& w = window();
    w.btnAddFolder->click();
    const QString file = folder.path() + "/Projects/site.qmp";
    fake.prompts.fileNames.push_back(file);
    w.projectFiles().mnuSaveAsClick();
    w.btnAddFolder->click();
    fake.prompts.answers = {Prompts::Answer::No};
    w.projectFiles().OpenProject(file);
    EXPECT_FALSE(w.document().history().canUndo());
    EXPECT_TRUE(w.document().Saved);
    const std::string opened = project();
    press(undoKey());
    EXPECT_EQ(project(), opened);

    w.btnAddFolder->click();
    fake.prompts.answers = {Prompts::Answer::No};
    w.projectFiles().btnNewClick();
    EXPECT_TRUE(w.document().tree().empty());
    EXPECT_FALSE(w.document().history().canUndo());
    w.document().undo();
    EXPECT_TRUE(w.document().tree().empty());
    EXPECT_TRUE(w.document().Saved);
}

// Several changes made as one (a whole import, for instance) are one step; an empty group
// leaves none.
TEST_F(History, AGroupOfChangesIsOneStep)
{
    TForm1& w = window();
    const std::string before = project();
    {
        UndoStack::Group group(w.document().history(), "Import");
        UndoStack::Group inner(w.document().history(), "Folder");
        w.items().selectNode(A);
        w.btnAddFolder->click();
        w.btnAddDoc->click();
        QTest::keyClicks(w.txtCaption, "x");
        w.chkAutoClose->click();
    }
    { UndoStack::Group nothing(w.document().history(), "Nothing"); }
    EXPECT_EQ(w.document().history().count(), 1);
    const std::string after = project();
    w.document().undo();
    EXPECT_EQ(project(), before);
    EXPECT_TRUE(w.document().Saved);
    w.document().redo();
    EXPECT_EQ(project(), after);
}

}  // namespace
}  // namespace quillmap::test
