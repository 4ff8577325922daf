#include <QMenu>

#include "generator/HelpText.h"
#include "tests/gui/mainwin/MainWindowFixture.h"
#include "tests/gui/support/LinuxOnly.h"

namespace quillmap::test {
namespace {

using StartState = MainWindowTest;

QImage pictureOf(const QAbstractButton* button)
{
    return button->icon().pixmap(button->iconSize()).toImage();
}

TEST_F(StartState, FieldsTitleAndEmptyTree)
{
    TForm1& w = window();
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0");
    EXPECT_EQ(applicationTitle(), "Quillmap");
    EXPECT_EQ(w.VersionText, "2.0");
    EXPECT_EQ(w.TitleText, "Quillmap 2.0");
    EXPECT_EQ(w.AppFolder, appFolder());
    EXPECT_TRUE(w.document().ProjectFileName.isEmpty());
    EXPECT_TRUE(w.document().Saved);
    EXPECT_FALSE(w.document().Updating);
    EXPECT_TRUE(w.document().tree().empty());
    EXPECT_EQ(w.Tree2->model()->rowCount(), 0);
    EXPECT_EQ(w.items().selectedNode(), nullptr);
    EXPECT_TRUE(PropertiesPanel::LastLinkFolder.isEmpty());
    EXPECT_EQ(w.messages.byNumber(1), "No items to build!");
    EXPECT_EQ(w.messages.byNumber(17), "This isn't Quillmap Project File");
}

TEST_F(StartState, PropertiesPanelAndGlobalOptions)
{
    TForm1& w = window();
    // An empty tree has no item to type into.
    EXPECT_FALSE(w.txtCaption->isEnabled());
    EXPECT_TRUE(w.txtCaption->text().isEmpty());
    EXPECT_FALSE(w.txtURL->isEnabled());
    EXPECT_TRUE(w.txtURL->text().isEmpty());
    EXPECT_FALSE(w.btnBrowseLink->isEnabled());
    for (QWidget* choice : {static_cast<QWidget*>(w.boxTarget), static_cast<QWidget*>(w.lblLinkTarget),
                            static_cast<QWidget*>(w.boxOpenFolder), static_cast<QWidget*>(w.lblInitialState),
                            static_cast<QWidget*>(w.boxImg), static_cast<QWidget*>(w.lblImage)})
        EXPECT_FALSE(choice->isEnabled()) << choice->objectName().toStdString();
    EXPECT_EQ(w.boxTarget->currentIndex(), -1);
    EXPECT_EQ(w.boxOpenFolder->currentIndex(), -1);
    EXPECT_TRUE(w.boxImg->currentText().isEmpty());
    ASSERT_EQ(w.boxTarget->count(), 2);
    EXPECT_EQ(w.boxTarget->itemText(0), "main_frame");
    EXPECT_EQ(w.boxTarget->itemText(1), "_blank (new window)");
    ASSERT_EQ(w.boxOpenFolder->count(), 2);
    EXPECT_EQ(w.boxOpenFolder->itemText(0), "Closed");
    EXPECT_EQ(w.boxOpenFolder->itemText(1), "Opened");
    EXPECT_FALSE(w.boxTarget->isEditable());
    EXPECT_FALSE(w.boxOpenFolder->isEditable());
    EXPECT_TRUE(w.boxImg->isEditable());

    EXPECT_EQ(w.txtTFRAME->text(), "main_frame");
    EXPECT_TRUE(w.chkUSETEXTLINKS->isChecked());
    EXPECT_FALSE(w.chkAutoClose->isChecked());
}

TEST_F(StartState, CaptionsHintsAndHelpText)
{
    TForm1& w = window();
    EXPECT_EQ(w.btnAddFolder->text(), "New Folder");
    EXPECT_EQ(w.btnAddDoc->text(), "Document");
    EXPECT_EQ(w.btnRemove->text(), "Remove");
    EXPECT_EQ(w.GroupBox1->title(), " Properties ");
    EXPECT_EQ(w.GroupBox2->title(), " Global Properties ");
    EXPECT_EQ(w.GroupBox3->title(), " Project ");
    EXPECT_EQ(w.lblCaption->text(), "Caption:");
    EXPECT_EQ(w.lblLink->text(), "Link:");
    EXPECT_EQ(w.btnBrowseLink->text(), "...");
    EXPECT_EQ(w.lblLinkTarget->text(), "Link target:");
    EXPECT_EQ(w.lblInitialState->text(), "Initial state:");
    EXPECT_EQ(w.lblImage->text(), "Replace default image with:");
    EXPECT_EQ(w.lblTFRAME->text(), "Target Frame:");
    EXPECT_EQ(w.chkUSETEXTLINKS->text(), "Use text links");
    EXPECT_EQ(w.chkAutoClose->text(), "Auto-close previous folder");
    EXPECT_EQ(w.btnColors->toolTip(), "Colors and Styles");
    EXPECT_TRUE(w.btnColors->text().isEmpty());
    EXPECT_EQ(w.btnNew->text(), "New");
    EXPECT_EQ(w.btnOPEN->toolTip(), "Open (Ctrl+O)\nRecent projects and import: right-click, Shift+F10 or Ctrl+Shift+O");
    EXPECT_TRUE(w.btnOPEN->text().isEmpty());
    EXPECT_EQ(w.btnSAVE->toolTip(), "Save (Ctrl+S)");
    EXPECT_TRUE(w.btnSAVE->text().isEmpty());
    EXPECT_EQ(w.btnBuild_Test->text(), "Build and Test");
    EXPECT_EQ(w.btnBuild->text(), "Build");
    EXPECT_EQ(w.btnBrowseOUT->text(), "Browse \"Out\"");
    EXPECT_EQ(w.btnMoreHelp->text(), "Help");
    EXPECT_TRUE(w.btnMoreHelp->font().bold());
    EXPECT_EQ(w.btnMoreHelp->font().pixelSize(), 15);
    EXPECT_EQ(w.btnMoreHelp->font().family(), "Times New Roman");

    for (QAbstractButton* pictured : {static_cast<QAbstractButton*>(w.btnAddFolder),
                                      static_cast<QAbstractButton*>(w.btnAddDoc), static_cast<QAbstractButton*>(w.btnRemove),
                                      static_cast<QAbstractButton*>(w.btnColors), static_cast<QAbstractButton*>(w.btnOPEN),
                                      static_cast<QAbstractButton*>(w.btnSAVE), static_cast<QAbstractButton*>(w.btnBuild_Test),
                                      static_cast<QAbstractButton*>(w.btnBuild), static_cast<QAbstractButton*>(w.btnBrowseOUT)})
        EXPECT_FALSE(pictured->icon().isNull()) << pictured->objectName().toStdString();
    EXPECT_FALSE(w.windowIcon().isNull());
    // Remove has a picture of its own for its disabled look.
    const QIcon remove = w.btnRemove->icon();
    EXPECT_NE(remove.pixmap(16, QIcon::Normal).toImage(), remove.pixmap(16, QIcon::Disabled).toImage());

    EXPECT_EQ(w.projectFiles().mnuSave->text(), "Save");
    EXPECT_EQ(w.projectFiles().mnuSaveAs->text(), "Save As...");
    EXPECT_EQ(w.projectFiles().popUpSave->actions().size(), 2);
    EXPECT_EQ(w.btnSAVE->contextMenuPolicy(), Qt::CustomContextMenu);

    const QStringList memo = w.Memo1->toPlainText().split('\n');
    const auto lines = helpTextLines();
    ASSERT_EQ(memo.size(), static_cast<qsizetype>(lines.size()));
    for (int i = 0; i < memo.size(); ++i) EXPECT_EQ(memo[i].toStdString(), lines[static_cast<std::size_t>(i)]);
    EXPECT_TRUE(w.Memo1->isReadOnly());
    EXPECT_EQ(w.Memo1->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(w.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(w.Memo1->palette().color(QPalette::Base), w.palette().color(QPalette::Window));
}

TEST_F(StartState, DesignedPositionsAndSizes)
{
    QUILLMAP_LINUX_ONLY("the designed geometry is measured with the test display's fonts");
    TForm1& w = window();
    EXPECT_EQ(w.size(), QSize(582, 452));
    EXPECT_EQ(w.minimumSize(), QSize(446, 450));
    const std::vector<std::pair<QWidget*, QRect>> designed = {
        {w.Tree2, {3, 8, 235, 441}},          {w.btnAddFolder, {245, 8, 100, 29}},
        {w.btnAddDoc, {362, 8, 100, 29}},     {w.btnRemove, {478, 8, 100, 29}},
        {w.GroupBox1, {243, 47, 335, 145}},   {w.GroupBox2, {249, 198, 233, 90}},
        {w.GroupBox3, {500, 202, 76, 73}},    {w.btnBuild_Test, {247, 293, 106, 30}},
        {w.btnBuild, {359, 293, 106, 30}},    {w.btnBrowseOUT, {471, 293, 106, 30}},
        {w.panelHelp, {247, 328, 331, 90}},   {w.btnMoreHelp, {473, 422, 104, 26}},
        {w.txtCaption, {78, 21, 245, 21}},    {w.txtURL, {78, 53, 221, 21}},
        {w.btnBrowseLink, {301, 53, 21, 20}}, {w.boxImg, {176, 115, 145, 21}},
        {w.txtTFRAME, {97, 17, 121, 21}},     {w.btnColors, {137, 41, 28, 28}},
        {w.btnNew, {12, 16, 57, 19}},         {w.btnOPEN, {10, 37, 28, 28}},
        {w.btnSAVE, {43, 37, 28, 28}},        {w.Memo1, {12, 8, 314, 76}},
    };
    for (const auto& [control, rect] : designed)
        EXPECT_EQ(control->geometry(), rect) << control->objectName().toStdString();
    for (QWidget* inProperties : {static_cast<QWidget*>(w.txtCaption), static_cast<QWidget*>(w.boxImg)})
        EXPECT_EQ(inProperties->parentWidget(), w.GroupBox1);
    EXPECT_EQ(w.txtTFRAME->parentWidget(), w.GroupBox2);
    EXPECT_EQ(w.btnSAVE->parentWidget(), w.GroupBox3);
    EXPECT_EQ(w.Memo1->parentWidget(), w.panelHelp);
    // Labels keep their designed top; the left-aligned ones their left edge, the right-aligned
    // ones their right edge beside their box.
    EXPECT_EQ(w.lblCaption->pos(), QPoint(15, 26));
    EXPECT_EQ(w.lblLink->pos(), QPoint(15, 59));
    EXPECT_EQ(w.lblTFRAME->pos(), QPoint(14, 21));
    // The Link target row keeps its tops and its order; its lists are at least as wide as
    // designed, wider where their entries need it.
    const QWidget* row[] = {w.lblLinkTarget, w.boxTarget, w.lblInitialState, w.boxOpenFolder};
    const int tops[] = {90, 84, 90, 83};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(row[i]->y(), tops[i]) << row[i]->objectName().toStdString();
        if (i > 0) {
            EXPECT_LT(row[i - 1]->geometry().right(), row[i]->x());
        }
    }
    EXPECT_GE(w.boxTarget->width(), 108);
    EXPECT_GE(w.boxOpenFolder->width(), 64);
    EXPECT_EQ(w.lblImage->geometry().right(), 172);
    EXPECT_EQ(w.chkUSETEXTLINKS->pos(), QPoint(16, 47));
    EXPECT_EQ(w.chkAutoClose->pos(), QPoint(16, 68));
}

TEST_F(StartState, TabOrderFollowsTheDesign)
{
    TForm1& w = window();
    const std::vector<QWidget*> order = {w.btnAddFolder,   w.btnAddDoc, w.btnRemove,    w.txtCaption,   w.txtURL,
                                         w.boxTarget,      w.boxOpenFolder, w.btnBrowseLink, w.boxImg,  w.txtTFRAME,
                                         w.chkUSETEXTLINKS, w.btnColors, w.chkAutoClose, w.btnNew,      w.btnOPEN,
                                         w.btnSAVE,        w.btnBuild_Test, w.btnBuild,  w.btnBrowseOUT, w.Memo1,
                                         w.btnMoreHelp,    w.Tree2};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        // Tab skips what takes no focus, and the parts inside a control (a combo box's edit line).
        QWidget* next = order[i]->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || order[i]->isAncestorOf(next)) next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i + 1]) << "after " << order[i]->objectName().toStdString();
    }
}

TEST_F(StartState, SaveButtonFollowsSetSavedOnlyOnChange)
{
    TForm1& w = window();
    const QImage saved = w.picSAVED.toImage();
    const QImage notSaved = w.picNOT_SAVED.toImage();
    ASSERT_EQ(w.picSAVED.size(), QSize(22, 20));
    ASSERT_EQ(w.picNOT_SAVED.size(), QSize(22, 20));
    ASSERT_NE(saved, notSaved);
    EXPECT_EQ(pictureOf(w.btnSAVE), saved);

    w.SetSaved(true);  // no change: the designed hint stays
    EXPECT_EQ(w.btnSAVE->toolTip(), "Save (Ctrl+S)");
    EXPECT_EQ(pictureOf(w.btnSAVE), saved);

    w.SetSaved(false);
    EXPECT_FALSE(w.document().Saved);
    EXPECT_EQ(w.btnSAVE->toolTip(), "Save (Ctrl+S)");
    EXPECT_EQ(pictureOf(w.btnSAVE), notSaved);

    w.messages.saveHint = "Speichern";
    w.SetSaved(false);  // no change: the hint is not read again
    EXPECT_EQ(w.btnSAVE->toolTip(), "Save (Ctrl+S)");

    w.SetSaved(true);
    EXPECT_TRUE(w.document().Saved);
    EXPECT_EQ(w.btnSAVE->toolTip(), "Save as... (Ctrl+S)");
    EXPECT_EQ(pictureOf(w.btnSAVE), saved);

    w.SetSaved(false);
    EXPECT_EQ(w.btnSAVE->toolTip(), "Speichern (Ctrl+S)");
}

TEST_F(StartState, ShellOpenAndTitle)
{
    TForm1& w = window();
    w.ShellOpen(w.AppFolder + "out/index.html", "", w.AppFolder + "out", 10);
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    const auto& call = fake.shell.calls.front();
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.file, appFolder() + "out/index.html");
    EXPECT_TRUE(call.parameters.isEmpty());
    EXPECT_FALSE(call.parameters.isNull());
    EXPECT_EQ(call.folder, appFolder() + "out");
    EXPECT_EQ(call.showCommand, 10);

    w.setTitle(w.TitleText + " - site.qmp");
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0 - site.qmp");
    EXPECT_EQ(applicationTitle(), "Quillmap 2.0 - site.qmp");
}

TEST_F(StartState, KeepsTheCommandLineForTheFirstShow)
{
    arguments = {"/tmp/first.qmp", "/tmp/second.qmp"};
    EXPECT_EQ(window().commandLineArguments(), arguments);
}

TEST_F(StartState, RightClickOnTheSaveButtonOffersSaveAndSaveAs)
{
    TForm1& w = window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    emit w.btnSAVE->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(w.projectFiles().popUpSave->isVisible());
    w.projectFiles().popUpSave->hide();
}

TEST_F(StartState, AppFolderGetsItsTrailingSeparator)
{
    TForm1 w(fake.platform(), folder.path(), {});
    EXPECT_EQ(w.AppFolder, folder.path() + "/");
}

}  // namespace
}  // namespace quillmap::test
