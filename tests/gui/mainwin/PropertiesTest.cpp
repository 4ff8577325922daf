#include "tests/gui/mainwin/MainWindowFixture.h"

namespace quillmap::test {
namespace {

using Properties = MainWindowTest;

struct PanelState {
    bool target, openState, image;
    QString shownOpenState;
};

PanelState panel(TForm1& w)
{
    EXPECT_EQ(w.lblLinkTarget->isEnabled(), w.boxTarget->isEnabled());
    EXPECT_EQ(w.lblInitialState->isEnabled(), w.boxOpenFolder->isEnabled());
    EXPECT_EQ(w.lblImage->isEnabled(), w.boxImg->isEnabled());
    return {w.boxTarget->isEnabled(), w.boxOpenFolder->isEnabled(), w.boxImg->isEnabled(), w.boxOpenFolder->currentText()};
}

// Typing with nothing selected used to go nowhere, silently.
void expectNoItemShown(TForm1& w)
{
    for (QWidget* box : std::initializer_list<QWidget*>{w.txtCaption, w.txtURL, w.btnBrowseLink, w.boxTarget,
                                                        w.boxOpenFolder, w.boxImg})
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    EXPECT_TRUE(w.txtCaption->text().isEmpty());
    EXPECT_TRUE(w.txtURL->text().isEmpty());
}

TEST_F(Properties, PanelShowsTheItemAndEnablesTheChoicesOfItsKind)
{
    TForm1& w = window();
    buildSmallTree();
    item(0)->record()->OpenState = "0";
    item(1)->record()->OpenState = "1";
    item(1)->record()->URL = "folder.html";
    item(2)->record()->Target = "1";
    item(2)->record()->CustomImage = "ftv2doc_7.gif";
    w.SetSaved(true);

    w.properties().ShowItemProperties(0);
    PanelState root = panel(w);
    EXPECT_FALSE(root.target);
    EXPECT_FALSE(root.openState);
    EXPECT_FALSE(root.image);
    EXPECT_EQ(root.shownOpenState, "Opened");
    EXPECT_EQ(item(0)->record()->OpenState, "0");
    EXPECT_EQ(w.txtCaption->text(), "Root Folder");

    w.properties().ShowItemProperties(1);
    PanelState folder = panel(w);
    EXPECT_FALSE(folder.target);
    EXPECT_TRUE(folder.openState);
    EXPECT_FALSE(folder.image);
    EXPECT_EQ(folder.shownOpenState, "Opened");
    EXPECT_EQ(w.txtURL->text(), "folder.html");
    EXPECT_EQ(w.boxTarget->currentIndex(), 0);

    w.properties().ShowItemProperties(2);
    PanelState doc = panel(w);
    EXPECT_TRUE(doc.target);
    EXPECT_FALSE(doc.openState);
    EXPECT_TRUE(doc.image);
    EXPECT_EQ(w.boxOpenFolder->currentIndex(), -1);
    EXPECT_EQ(w.boxTarget->currentIndex(), 1);
    EXPECT_EQ(w.boxImg->currentText(), "ftv2doc_7.gif");
    EXPECT_TRUE(w.txtURL->text().isEmpty());

    // Filling the panel is never an edit.
    EXPECT_TRUE(w.document().Saved);
    EXPECT_FALSE(w.document().Updating);
    EXPECT_EQ(item(2)->record()->Target, "1");
    EXPECT_EQ(item(2)->record()->CustomImage, "ftv2doc_7.gif");
}

TEST_F(Properties, IntegerNamingNoEntryShowsNoEntry)
{
    TForm1& w = window();
    buildSmallTree();
    item(2)->record()->Target = "5";
    w.properties().ShowItemProperties(2);
    EXPECT_EQ(w.boxTarget->currentIndex(), -1);
    EXPECT_TRUE(fake.prompts.shown.empty());
}

TEST_F(Properties, SelectionChangesByKeyboardLoadThePanelWithoutMarkingUnsaved)
{
    TForm1& w = window();
    buildSmallTree();
    w.SetSaved(true);
    w.show();
    w.Tree2->setFocus();
    QTest::keyClick(w.Tree2, Qt::Key_Up);
    EXPECT_EQ(w.items().selectedNode(), item(1));
    EXPECT_EQ(w.txtCaption->text(), "New Folder");
    EXPECT_TRUE(w.boxOpenFolder->isEnabled());
    QTest::keyClick(w.Tree2, Qt::Key_Home);
    EXPECT_EQ(w.items().selectedNode(), item(0));
    EXPECT_EQ(w.txtCaption->text(), "Root Folder");
    EXPECT_TRUE(w.document().Saved);

    // The edit goes to the item the panel shows.
    QTest::keyClick(w.Tree2, Qt::Key_End);
    w.txtCaption->setText("Last");
    EXPECT_EQ(caption(2), "Last");
}

TEST_F(Properties, EveryChangeHandlerWritesTheSelectedItemAndMarksUnsaved)
{
    addOutFile("ftv2doc_1.gif");
    addOutFile("ftv2doc_2.gif");
    TForm1& w = window();
    buildSmallTree();
    TMyRec& doc = *item(2)->record();

    const auto edits = std::vector<std::pair<const char*, std::function<void()>>>{
        {"caption", [&] { w.txtCaption->end(false); QTest::keyClicks(w.txtCaption, "!"); }},
        {"link", [&] { QTest::keyClicks(w.txtURL, "a.htm"); }},
        {"target", [&] { w.boxTarget->setCurrentIndex(1); }},
        {"picture picked", [&] { w.boxImg->setCurrentIndex(1); }},
        {"picture typed", [&] { QTest::keyClicks(w.boxImg->lineEdit(), "x"); }},
    };
    for (const auto& [name, edit] : edits) {
        w.SetSaved(true);
        edit();
        EXPECT_FALSE(w.document().Saved) << name;
    }
    EXPECT_EQ(caption(2), "New Document!");
    EXPECT_EQ(doc.URL, "a.htm");
    EXPECT_EQ(doc.Target, "1");
    EXPECT_EQ(doc.CustomImage, "ftv2doc_2.gifx");

    w.items().selectNode(item(1));
    w.SetSaved(true);
    w.boxOpenFolder->setCurrentIndex(1);
    EXPECT_EQ(item(1)->record()->OpenState, "1");
    EXPECT_FALSE(w.document().Saved);
    w.boxOpenFolder->setCurrentIndex(0);
    EXPECT_EQ(item(1)->record()->OpenState, "0");

    // Nothing is trimmed or checked: an empty caption stays empty.
    w.txtCaption->clear();
    EXPECT_EQ(caption(1), "");
    EXPECT_EQ(w.Tree2->model()->data(w.document().model().indexOf(item(1))).toString(), "");
}

TEST_F(Properties, HandlersDoNothingWhileUpdating)
{
    TForm1& w = window();
    buildSmallTree();
    w.SetSaved(true);
    w.document().setUpdating(true);
    w.txtCaption->setText("changed");
    w.txtURL->setText("changed");
    w.boxTarget->setCurrentIndex(1);
    w.boxImg->setEditText("changed");
    w.txtTFRAME->setText("changed");
    w.chkUSETEXTLINKS->setChecked(false);
    w.chkAutoClose->setChecked(true);
    w.document().setUpdating(false);
    EXPECT_EQ(caption(2), "New Document");
    EXPECT_EQ(*item(2)->record(), TMyRec::documentDefaults());
    EXPECT_EQ(w.boxTarget->itemText(0), "main_frame");
    EXPECT_TRUE(w.document().Saved);
}

TEST_F(Properties, EditsWithNothingSelectedChangeNothing)
{
    TForm1& w = window();
    buildSmallTree();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.SetSaved(true);
    // Right-click below the last row: nothing stays selected.
    QTest::mouseClick(w.Tree2->viewport(), Qt::RightButton, {}, QPoint(20, w.Tree2->viewport()->height() - 5));
    EXPECT_EQ(w.items().selectedNode(), nullptr);
    EXPECT_TRUE(w.Tree2->selectionModel()->selectedIndexes().isEmpty());
    expectNoItemShown(w);

    QTest::keyClicks(w.txtCaption, "typed");
    w.txtURL->setText("typed.htm");
    w.boxTarget->setCurrentIndex(1);
    w.boxImg->setEditText("typed.gif");
    EXPECT_EQ(caption(2), "New Document");
    EXPECT_EQ(*item(2)->record(), TMyRec::documentDefaults());
    EXPECT_TRUE(w.document().Saved);

    // Nor after New, and the panel wakes up with the next item.
    w.btnNew->click();
    expectNoItemShown(w);
    w.btnAddFolder->click();
    EXPECT_TRUE(w.txtCaption->isEnabled());
    EXPECT_TRUE(w.txtURL->isEnabled());
}

TEST_F(Properties, RightClickOnAnItemSelectsIt)
{
    TForm1& w = window();
    buildSmallTree();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect rootRow = w.Tree2->visualRect(w.document().model().indexOf(item(0)));
    QTest::mouseClick(w.Tree2->viewport(), Qt::RightButton, {}, rootRow.center());
    EXPECT_EQ(w.items().selectedNode(), item(0));
    EXPECT_EQ(w.txtCaption->text(), "Root Folder");
}

TEST_F(Properties, LeftClickShowsTheItemAndHandsTheFocusToTheCaptionBox)
{
    TForm1& w = window();
    buildSmallTree();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.SetSaved(true);
    const QRect folderRow = w.Tree2->visualRect(w.document().model().indexOf(item(1)));
    QTest::mouseClick(w.Tree2->viewport(), Qt::LeftButton, {}, folderRow.center());
    EXPECT_EQ(w.items().selectedNode(), item(1));
    EXPECT_EQ(w.txtCaption->text(), "New Folder");
    EXPECT_TRUE(w.txtCaption->hasFocus());
    EXPECT_EQ(w.txtCaption->selectedText(), "New Folder");
    EXPECT_TRUE(w.document().Saved);

    // A left click on empty space leaves the focus and the selection where they are.
    w.Tree2->setFocus();
    QTest::mouseClick(w.Tree2->viewport(), Qt::LeftButton, {}, QPoint(20, w.Tree2->viewport()->height() - 5));
    EXPECT_TRUE(w.Tree2->hasFocus());
    EXPECT_EQ(w.items().selectedNode(), item(1));
}

TEST_F(Properties, TargetFrameNameBecomesTheFirstTargetEntry)
{
    TForm1& w = window();
    buildSmallTree();
    item(2)->record()->Target = "1";
    w.properties().ShowItemProperties(2);
    ASSERT_EQ(w.boxTarget->currentIndex(), 1);
    w.SetSaved(true);
    w.txtTFRAME->selectAll();
    QTest::keyClicks(w.txtTFRAME, "content");
    EXPECT_EQ(w.boxTarget->itemText(0), "content");
    EXPECT_EQ(w.boxTarget->count(), 2);
    EXPECT_EQ(item(2)->record()->Target, "1");
    EXPECT_FALSE(w.document().Saved);
    EXPECT_FALSE(w.document().Updating);
    // The box keeps showing the item's own target (it once jumped to the frame name), also when
    // the typing is undone.
    EXPECT_EQ(w.boxTarget->currentIndex(), 1);
    w.document().undo();
    EXPECT_EQ(w.boxTarget->itemText(0), "main_frame");
    EXPECT_EQ(w.boxTarget->currentIndex(), 1);
}

TEST_F(Properties, CheckBoxesMarkUnsavedWithoutAnItem)
{
    TForm1& w = window();
    for (QCheckBox* box : {w.chkUSETEXTLINKS, w.chkAutoClose}) {
        w.SetSaved(true);
        box->click();
        EXPECT_FALSE(w.document().Saved) << box->objectName().toStdString();
    }
}

TEST_F(Properties, EnterMovesTheFocusAndInsertsNothing)
{
    TForm1& w = window();
    buildSmallTree();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.txtURL->setText("page.htm");
    w.txtCaption->setFocus();
    QTest::keyClick(w.txtCaption, Qt::Key_Return);
    EXPECT_TRUE(w.txtURL->hasFocus());
    EXPECT_EQ(w.txtURL->selectedText(), "page.htm");
    QTest::keyClick(w.txtURL, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(w.txtCaption->hasFocus());
    w.txtTFRAME->setFocus();
    QTest::keyClick(w.txtTFRAME, Qt::Key_Return);
    EXPECT_TRUE(w.txtCaption->hasFocus());
    EXPECT_EQ(caption(2), "New Document");
    EXPECT_EQ(item(2)->record()->URL, "page.htm");
    EXPECT_EQ(w.txtTFRAME->text(), "main_frame");
}

TEST_F(Properties, KeyboardAndProgramFocusSelectTheTextMouseFocusDoesNot)
{
    TForm1& w = window();
    buildSmallTree();
    w.txtURL->setText("index.htm");
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.txtCaption->setFocus();
    QTest::keyClick(w.txtCaption, Qt::Key_Tab);
    ASSERT_TRUE(w.txtURL->hasFocus());
    EXPECT_EQ(w.txtURL->selectedText(), "index.htm");

    w.Tree2->setFocus();
    QTest::mouseClick(w.txtURL, Qt::LeftButton, {}, QPoint(5, w.txtURL->height() / 2));
    EXPECT_TRUE(w.txtURL->hasFocus());
    EXPECT_TRUE(w.txtURL->selectedText().isEmpty());
}

// Escape in a text box once removed the selected item, and the next one with a second Escape.
TEST_F(Properties, EscapeRemovesOnlyFromTheTreeAndCancelsTypingElsewhere)
{
    TForm1& w = window();
    buildSmallTree();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    // Escape in the tree's own caption editor cancels the edit only.
    const QModelIndex doc = w.document().model().indexOf(item(2));
    w.Tree2->edit(doc);
    auto* editor = w.Tree2->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "Cancelled");
    QTest::keyClick(editor, Qt::Key_Escape);
    settle();
    EXPECT_EQ(w.document().tree().size(), 3u);
    EXPECT_EQ(caption(2), "New Document");

    // A text box puts back what it held when it got the focus; twice removes nothing either.
    for (QLineEdit* box : {w.txtCaption, w.txtURL, w.txtTFRAME}) {
        SCOPED_TRACE(box->objectName().toStdString());
        const QString before = box->text();
        box->setFocus();
        QTest::keyClicks(box, "xy");
        QTest::keyClick(box, Qt::Key_Escape);
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_EQ(box->text(), before);
        EXPECT_EQ(w.document().tree().size(), 3u);
    }
    w.boxOpenFolder->setFocus();
    QTest::keyClick(w.boxOpenFolder, Qt::Key_Escape);
    EXPECT_EQ(w.document().tree().size(), 3u);

    w.Tree2->setFocus();
    QTest::keyClick(w.Tree2, Qt::Key_Escape);
    EXPECT_EQ(w.document().tree().size(), 2u);
    // On the root the question comes first.
    w.items().selectNode(item(0));
    fake.prompts.answers = {Prompts::Answer::No};
    QTest::keyClick(w.Tree2, Qt::Key_Escape);
    EXPECT_EQ(fake.prompts.texts("yesno").size(), 1);
    EXPECT_EQ(w.document().tree().size(), 2u);
}

TEST_F(Properties, InPlaceEditFillsTheCaptionBoxAndMarksUnsaved)
{
    TForm1& w = window();
    buildSmallTree();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.SetSaved(true);
    const QModelIndex doc = w.document().model().indexOf(item(2));
    w.Tree2->edit(doc);
    auto* editor = w.Tree2->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "About us");
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(caption(2), "About us");
    EXPECT_EQ(w.txtCaption->text(), "About us");
    EXPECT_FALSE(w.document().Saved);
    EXPECT_FALSE(w.document().Updating);

    // Confirmed without a change: nothing to undo, and the project stays saved.
    w.SetSaved(true);
    w.Tree2->edit(doc);
    editor = w.Tree2->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(caption(2), "About us");
    EXPECT_TRUE(w.document().Saved);
}

TEST_F(Properties, ClickingTheSelectedItemAgainEditsItsCaptionInPlace)
{
    TForm1& w = window();
    buildSmallTree();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QPoint row = w.Tree2->visualRect(w.document().model().indexOf(item(1))).center();
    QTest::mouseClick(w.Tree2->viewport(), Qt::LeftButton, {}, row);
    EXPECT_TRUE(w.txtCaption->hasFocus());
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(w.Tree2->viewport(), Qt::LeftButton, {}, row);
    QLineEdit* editor = nullptr;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (editor = w.Tree2->viewport()->findChild<QLineEdit*>()) != nullptr; },
                                QApplication::doubleClickInterval() + 1000));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "New Folder");
}

TEST_F(Properties, LineBreaksNeverReachAStoredText)
{
    TForm1& w = window();
    buildSmallTree();
    w.txtCaption->selectAll();
    w.txtCaption->insert("Line\r\none");
    EXPECT_EQ(caption(2), "Lineone");
    EXPECT_EQ(w.txtCaption->text(), "Lineone");
    w.txtURL->insert("a.htm\n");
    EXPECT_EQ(item(2)->record()->URL, "a.htm");
    w.boxImg->lineEdit()->insert("pic\r.gif");
    EXPECT_EQ(item(2)->record()->CustomImage, "pic.gif");
    w.txtTFRAME->selectAll();
    w.txtTFRAME->insert("frame\nname");
    EXPECT_EQ(w.txtTFRAME->text(), "framename");
    EXPECT_EQ(w.boxTarget->itemText(0), "framename");
    w.document().model().setData(w.document().model().indexOf(item(1)), "In\nplace");
    EXPECT_EQ(caption(1), "Inplace");
    EXPECT_FALSE(w.document().Updating);
}

// Leading blanks and TABs of a caption would read back from a project file as indentation; they
// go as they are typed, in the Caption box and in the tree's own editor. Blanks inside stay.
TEST_F(Properties, LeadingBlanksOfACaptionGoAsTheyAreTyped)
{
    TForm1& w = window();
    buildSmallTree();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.txtCaption->setFocus();
    w.txtCaption->selectAll();
    QTest::keyClicks(w.txtCaption, " Leading blank ");
    EXPECT_EQ(caption(2), "Leading blank ");
    EXPECT_EQ(w.txtCaption->text(), "Leading blank ");
    w.txtCaption->home(false);
    w.txtCaption->insert("\t \t");
    EXPECT_EQ(caption(2), "Leading blank ");
    EXPECT_EQ(w.txtCaption->cursorPosition(), 0);
    QTest::keyClicks(w.txtCaption, "A ");
    EXPECT_EQ(caption(2), "A Leading blank ");
    EXPECT_FALSE(w.document().Updating);

    w.Tree2->edit(w.document().model().indexOf(item(2)));
    auto* editor = w.Tree2->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("\t  In place");
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(caption(2), "In place");
    EXPECT_EQ(w.txtCaption->text(), "In place");
}

TEST_F(Properties, DamagedRecordReportsTheIntegerErrorAndKeepsWorking)
{
    TForm1& w = window();
    buildSmallTree();
    w.properties().ShowItemProperties(2);  // a document: target and picture choices enabled
    item(1)->record()->URL = "kept.htm";
    item(1)->record()->OpenState = "open";
    w.guard([&] { w.properties().ShowItemProperties(1); });
    EXPECT_EQ(fake.prompts.texts("error"), QStringList{"'open' is not a valid integer value."});
    EXPECT_FALSE(w.document().Updating);
    EXPECT_EQ(w.txtCaption->text(), "New Folder");  // filled before the failing step
    EXPECT_EQ(w.txtURL->text(), "kept.htm");
    EXPECT_TRUE(w.boxTarget->isEnabled());  // the enabling after it was not made
    EXPECT_FALSE(w.boxOpenFolder->isEnabled());

    // Selecting the item by hand goes through the same report; edits still work afterwards.
    fake.prompts.clear();
    item(2)->record()->Target = "";
    w.Tree2->selectionModel()->clear();
    w.items().selectNode(item(2));
    EXPECT_EQ(fake.prompts.texts("error"), QStringList{"'' is not a valid integer value."});
    w.SetSaved(true);
    w.txtURL->setText("fixed.htm");
    EXPECT_EQ(item(2)->record()->URL, "fixed.htm");
    EXPECT_FALSE(w.document().Saved);
}

TEST_F(Properties, LinkBrowseTakesTheFileNameAndRemembersTheFolder)
{
    TForm1& w = window();
    buildSmallTree();
    w.SetSaved(true);
    fake.prompts.fileNames = {"/sites/demo/pages/contact.html"};
    w.btnBrowseLink->click();
    ASSERT_EQ(fake.prompts.dialogs.size(), 1u);
    const auto& first = fake.prompts.dialogs[0];
    EXPECT_EQ(first.folder, appFolder() + "Projects");
    EXPECT_TRUE(first.fileName.isEmpty());
    EXPECT_EQ(first.filter, "HTML Files|*.html;*.htm|All Files|*.*");
    EXPECT_EQ(first.defaultSuffix, "htm");
    EXPECT_EQ(w.txtURL->text(), "contact.html");
    EXPECT_EQ(item(2)->record()->URL, "contact.html");
    EXPECT_FALSE(w.document().Saved);
    EXPECT_EQ(PropertiesPanel::LastLinkFolder, "/sites/demo/pages/");

    // Cancelled: nothing changes, and the folder is the remembered one.
    w.SetSaved(true);
    w.btnBrowseLink->click();
    ASSERT_EQ(fake.prompts.dialogs.size(), 2u);
    EXPECT_EQ(fake.prompts.dialogs[1].folder, "/sites/demo/pages/");
    EXPECT_EQ(w.txtURL->text(), "contact.html");
    EXPECT_TRUE(w.document().Saved);
    EXPECT_EQ(PropertiesPanel::LastLinkFolder, "/sites/demo/pages/");
}

TEST_F(Properties, CustomImageListEndsAtTheFirstMissingNumber)
{
    addOutFile("ftv2doc_1.gif");
    addOutFile("ftv2doc_2.gif");
    addOutFile("ftv2doc_3.gif");
    addOutFile("ftv2doc_5.gif");
    TForm1& w = window();
    ASSERT_EQ(w.boxImg->count(), 3);
    EXPECT_EQ(w.boxImg->itemText(0), "ftv2doc_1.gif");
    EXPECT_EQ(w.boxImg->itemText(1), "ftv2doc_2.gif");
    EXPECT_EQ(w.boxImg->itemText(2), "ftv2doc_3.gif");
    EXPECT_TRUE(w.boxImg->currentText().isEmpty());
    EXPECT_TRUE(w.document().Saved);
}

TEST_F(Properties, CustomImageListIsEmptyWithoutPictureOne)
{
    addOutFile("ftv2doc_2.gif");
    addOutFile("ftv2doc_3.gif");
    EXPECT_EQ(window().boxImg->count(), 0);
}

}  // namespace
}  // namespace quillmap::test
