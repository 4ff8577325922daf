// Lang.ini beside the program, read by the three windows as they are created at start-up.
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QWindow>
#include <map>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "shell/SiteImportDialog.h"
#include "shell/TfrmAskToAssociate.h"
#include "import/ImportCommands.h"
#include "site/SiteCommands.h"
#include "site/TfrmSite.h"
#include "import/LinkCheckCommands.h"
#include "lang/WindowTexts.h"
#include "project/ProjectFiles.h"
#include "project/RecoveryKeeper.h"
#include "tree/ItemCommands.h"
#include "shell/QuestionTexts.h"
#include "styles/TfrmColors.h"
#include "tests/gui/mainwin/MainWindowFixture.h"
#include "tests/gui/support/LinuxOnly.h"

namespace quillmap::test {
namespace {

class WindowsLanguage : public MainWindowTest {
protected:
    // Writes a Lang.ini of `count` lines whose line i reads "L<i>" unless given in `lines`.
    void writeLanguageFile(int count, const std::map<int, std::string>& lines = {}, const char* end = "\r\n")
    {
        std::string text;
        for (int i = 0; i < count; ++i) {
            const auto given = lines.find(i);
            text += (given != lines.end() ? given->second : "L" + std::to_string(i)) + end;
        }
        writeBytes(QByteArray::fromStdString(text));
    }
    void writeBytes(const QByteArray& bytes)
    {
        QFile file(appFolder() + "Lang.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The three windows in start-up order (window() creates the first two).
    void startUp()
    {
        TForm1& w = window();
        prompt = std::make_unique<TfrmAskToAssociate>(fake.platform(), appFolder(), "/opt/quillmap/quillmap",
                                                      [&w] { return w.VersionText; });
    }

    QString colorsText(const char* name) { return window().frmColors().findChild<QLabel*>(name)->text(); }
    QComboBox* styleList(const char* name) { return window().frmColors().findChild<QComboBox*>(name); }
    QStringList errors() { return fake.prompts.texts("error"); }

    std::unique_ptr<TfrmAskToAssociate> prompt;
};

TEST_F(WindowsLanguage, WithoutTheFileEveryTextKeepsItsDefault)
{
    startUp();
    TForm1& w = window();
    EXPECT_EQ(w.btnAddFolder->text(), "New Folder");
    EXPECT_EQ(w.VersionText, "2.0");
    EXPECT_EQ(w.TitleText, "Quillmap 2.0");
    EXPECT_EQ(w.frmColors().windowTitle(), "Colors and Styles");
    EXPECT_EQ(styleList("boxLinkStyle")->itemText(0), "none");
    EXPECT_EQ(prompt->BitBtn1()->text(), "&Yes");
    EXPECT_TRUE(fake.prompts.shown.empty());
}

TEST_F(WindowsLanguage, CompleteFileReplacesTheMainWindowTexts)
{
    writeLanguageFile(81, {{9, ""}, {21, "one\\ntwo\\Nthree"}, {44, "Produkt"}, {45, "3.1"}});
    startUp();
    TForm1& w = window();
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_EQ(w.btnAddFolder->text(), "L7");
    EXPECT_EQ(w.btnRemove->text(), "");  // an empty line is a text like any other
    EXPECT_EQ(w.GroupBox1->title(), "L10");
    EXPECT_EQ(w.btnColors->toolTip(), "L13");
    EXPECT_EQ(w.btnOPEN->toolTip(), "L16 (Ctrl+O)\nRecent projects and import: right-click, Shift+F10 or Ctrl+Shift+O");
    EXPECT_EQ(w.btnSAVE->toolTip(), "L17 (Ctrl+S)");
    EXPECT_EQ(w.btnBrowseOUT->text(), "L20");
    EXPECT_EQ(w.Memo1->toPlainText(), "one\ntwo\nthree");
    EXPECT_EQ(w.btnMoreHelp->text(), "L22");
    EXPECT_EQ(w.lblImage->text(), "L57");
    EXPECT_EQ(w.lblCaption->text(), "L75");
    EXPECT_EQ(w.GroupBox2->title(), "L77");
    EXPECT_EQ(w.projectFiles().mnuSave->text(), "L79");
    EXPECT_EQ(w.projectFiles().mnuSaveAs->text(), "L80");
    EXPECT_EQ(w.chkAutoClose->text(), "Auto-close previous folder");
    EXPECT_EQ(w.btnBrowseLink->text(), "...");
    // Labels are as wide as their new texts.
    EXPECT_GE(w.lblLinkTarget->width(), w.lblLinkTarget->sizeHint().width());

    // Entries change, counts and choices do not, and no handler took it for an edit.
    EXPECT_EQ(w.boxTarget->count(), 2);
    EXPECT_EQ(w.boxTarget->itemText(0), "L52");
    EXPECT_EQ(w.boxTarget->itemText(1), "L53");
    EXPECT_EQ(w.boxOpenFolder->count(), 2);
    EXPECT_EQ(w.boxOpenFolder->itemText(1), "L56");
    EXPECT_EQ(w.boxTarget->currentIndex(), -1);
    EXPECT_TRUE(w.document().Saved);
    EXPECT_FALSE(w.document().Updating);

    // The unsaved state takes over the save button's hint from messages 14 and 15.
    w.SetSaved(false);
    EXPECT_EQ(w.btnSAVE->toolTip(), "L71 (Ctrl+S)");
    w.SetSaved(true);
    EXPECT_EQ(w.btnSAVE->toolTip(), "L70 (Ctrl+S)");
}

// The check box, the question boxes and the keys' names ("Strg" on German Windows) are read from
// line 157 on; the names reach the hints and the tree's menu, and the next window starts in English.
TEST_F(WindowsLanguage, QuestionBoxesAndKeyNamesComeFromTheFile)
{
    writeLanguageFile(166, {{92, "L92 %1"}, {162, "Strg"}, {163, "Umschalt"}, {164, "Entf"}});
    TForm1& w = window();
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_EQ(w.chkAutoClose->text(), "L157");
    const QuestionTexts& question = questionTexts();
    EXPECT_EQ(QStringList({question.title, question.yes, question.no, question.cancel}),
              QStringList({"L158", "L159", "L160", "L161"}));
    EXPECT_EQ(w.btnOPEN->toolTip(), "L16 (Strg+O)\nL92 Strg+Umschalt+O");
    EXPECT_EQ(w.btnRemove->toolTip(), "L9 (Entf)");
    w.btnAddFolder->click();
    const QPoint at = w.Tree2->visualRect(w.Tree2->currentIndex()).center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, w.Tree2->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(w.Tree2->viewport(), &menuEvent);
    w.items().popUpItem->hide();
    QStringList entries;
    for (QAction* action : w.items().popUpItem->actions()) entries << action->text();
    EXPECT_TRUE(entries.contains("L9\tEntf")) << entries.join('|').toStdString();

    QFile::remove(appFolder() + "Lang.ini");
    TForm1 english(fake.platform(), appFolder(), {});
    EXPECT_EQ(questionTexts().yes, "&Yes");
    EXPECT_EQ(english.btnSAVE->toolTip(), "Save (Ctrl+S)");
}

TEST_F(WindowsLanguage, LongLabelsPushTheirBoxesAsideInsteadOfHidingBehindThem)
{
    QUILLMAP_LINUX_ONLY("the designed geometry is measured with the test display's fonts");
    writeLanguageFile(81, {{75, "Beschriftung des Eintrags:"}, {11, "Name des Zielframes:"}});
    TForm1& w = window();
    EXPECT_EQ(w.lblCaption->text(), "Beschriftung des Eintrags:");
    EXPECT_GE(w.lblCaption->width(), w.lblCaption->sizeHint().width());
    EXPECT_GT(w.txtCaption->x(), w.lblCaption->geometry().right());
    EXPECT_GT(w.txtTFRAME->x(), w.lblTFRAME->geometry().right());
    EXPECT_EQ(w.txtCaption->geometry().right(), 78 + 245 - 1);  // the right edge stays as designed
    // A short label leaves its box where it was designed.
    EXPECT_EQ(w.txtURL->x(), 78);
}

// Rename and the import entries once stayed English; a file ending among the newer lines loads quietly.
TEST_F(WindowsLanguage, NewerTextsApplyWhereTheFileHasThem)
{
    writeLanguageFile(FirstNewerLine + 3);
    startUp();
    TForm1& w = window();
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_EQ(w.items().menuTexts.rename, "L82");
    EXPECT_EQ(w.imports().mnuImportFolder->text(), "L83");
    EXPECT_EQ(w.imports().mnuImportSitemap->text(), "L84");
    EXPECT_EQ(w.frmColors().findChild<QPushButton*>("btnClose")->text(), "Close");
}

// The link check's lists and messages, the recovery's and the changed-file questions once stayed English.
TEST_F(WindowsLanguage, LaterTextsReachTheLinkCheckTheRecoveryAndTheChangedFileQuestions)
{
    writeLanguageFile(126, {{110, "L110\\nnext"}});
    TForm1& w = window();
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_EQ(w.linkChecks().frmLinkCheck->listResults->headerItem()->text(2), "L102");
    EXPECT_EQ(w.linkChecks().texts.summary, "L105");
    EXPECT_EQ(w.recovery().texts.offer, "L106");
    EXPECT_EQ(w.recovery().texts.off, "L109");
    EXPECT_EQ(w.projectFiles().diskTexts.changedBeforeSave, "L110\nnext");
    EXPECT_EQ(w.projectFiles().diskTexts.cancel, "L116");
    EXPECT_EQ(w.recovery().texts.list, "L117");
    EXPECT_EQ(w.recovery().texts.listUnreadable, "L120");
    EXPECT_EQ(w.recovery().texts.notNow, "L124");
    EXPECT_EQ(w.projectFiles().diskTexts.baselineUnknown, "L125");
}

TEST_F(WindowsLanguage, MessageTextsReachTheCommandsThatShowThem)
{
    writeLanguageFile(81);
    TForm1& w = window();
    w.btnRemove->click();
    EXPECT_EQ(fake.prompts.texts("message"), QStringList{"L67"});
    w.btnAddDoc->click();
    EXPECT_EQ(fake.prompts.texts("message").last(), "L66");
    w.btnAddFolder->click();
    w.btnAddFolder->click();
    w.btnAddDoc->click();
    EXPECT_EQ(w.document().tree().itemAt(0)->caption, "L61");
    EXPECT_EQ(w.document().tree().itemAt(1)->caption, "L59");
    EXPECT_EQ(w.document().tree().itemAt(2)->caption, "L60");
    // Dropping the root onto its child folder.
    w.show();
    w.items().selectNode(w.document().tree().itemAt(0));
    w.items().Tree2DragDrop(w.Tree2->visualRect(w.document().model().indexOf(w.document().tree().itemAt(1))).center());
    EXPECT_EQ(fake.prompts.texts("message").last(), "L64");
}

TEST_F(WindowsLanguage, TitleFromLines44And45AppearsOnlyWhenTheTitleIsNextSet)
{
    writeLanguageFile(81, {{44, "Produkt"}, {45, "3.1"}});
    startUp();
    TForm1& w = window();
    EXPECT_EQ(w.VersionText, "3.1");
    EXPECT_EQ(w.TitleText, "Produkt 3.1");
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0");
    EXPECT_EQ(prompt->windowTitle(), "Produkt");
    w.setTitle(w.TitleText);  // as New, Open and Save do
    EXPECT_EQ(w.windowTitle(), "Produkt 3.1");
    EXPECT_EQ(applicationTitle(), "Produkt 3.1");
}

TEST_F(WindowsLanguage, ThirtyLinesStopEachWindowAtItsFirstMissingLine)
{
    writeLanguageFile(30);
    startUp();
    TForm1& w = window();
    ASSERT_EQ(errors().size(), 3);
    EXPECT_TRUE(errors()[0].startsWith("List index out of bounds (45)")) << errors()[0].toStdString();
    EXPECT_TRUE(errors()[1].startsWith("List index out of bounds (30)")) << errors()[1].toStdString();
    EXPECT_TRUE(errors()[2].startsWith("List index out of bounds (44)")) << errors()[2].toStdString();
    for (const QString& e : errors()) EXPECT_TRUE(e.endsWith('.'));

    // Main window: lines 7 to 22 set, everything from line 45 on at its default.
    EXPECT_EQ(w.btnAddFolder->text(), "L7");
    EXPECT_EQ(w.Memo1->toPlainText(), "L21");
    EXPECT_EQ(w.btnMoreHelp->text(), "L22");
    EXPECT_EQ(w.VersionText, "2.0");
    EXPECT_EQ(w.TitleText, "Quillmap 2.0");
    EXPECT_EQ(w.lblLinkTarget->text(), "Link target:");
    EXPECT_EQ(w.boxTarget->itemText(0), "main_frame");
    EXPECT_EQ(w.projectFiles().mnuSaveAs->text(), "Save As...");
    EXPECT_EQ(w.messages.noItemsToBuild, "No items to build!");
    EXPECT_FALSE(w.document().Updating);

    // Colors and Styles: its first line is missing, so all stays.
    EXPECT_EQ(colorsText("Label1"), "Colors");
    EXPECT_EQ(styleList("boxLinkStyle")->itemText(0), "none");
    EXPECT_EQ(w.frmColors().windowTitle(), "Colors and Styles");

    // Association prompt: lines 24 to 28 set, the caption from line 44 not.
    EXPECT_EQ(prompt->Label1()->text(), "L24");
    EXPECT_EQ(prompt->chkNeverAsk()->text(), "L28");
    EXPECT_NE(prompt->windowTitle(), "L44");

    // Start-up goes on: the window works as usual.
    w.btnAddFolder->click();
    EXPECT_EQ(w.document().tree().root()->caption, "Root Folder");
}

TEST_F(WindowsLanguage, FortySixLinesSetTheMainTextsUpToTheTitleThenStopAtLine47)
{
    writeLanguageFile(46);
    startUp();
    TForm1& w = window();
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].startsWith("List index out of bounds (47)")) << errors()[0].toStdString();

    EXPECT_EQ(w.btnNew->text(), "L15");
    EXPECT_EQ(w.btnMoreHelp->text(), "L22");
    EXPECT_EQ(w.VersionText, "L45");
    EXPECT_EQ(w.TitleText, "L44 L45");
    EXPECT_EQ(w.windowTitle(), "Quillmap 2.0");
    // The message texts and everything after them keep their defaults.
    EXPECT_EQ(w.messages.noItemsToBuild, "No items to build!");
    EXPECT_EQ(w.messages.rootFolder, "Root Folder");
    EXPECT_EQ(w.lblCaption->text(), "Caption:");
    EXPECT_EQ(w.projectFiles().mnuSave->text(), "Save");

    // The other two windows take all their texts.
    EXPECT_EQ(colorsText("lblNote"), "L41");
    EXPECT_EQ(w.frmColors().windowTitle(), "L42");
    EXPECT_EQ(prompt->BitBtn2()->text(), "L27");
    EXPECT_EQ(prompt->windowTitle(), "L44");
}

TEST_F(WindowsLanguage, StyleEntriesAreTranslatedButTheStylesheetKeepsItsWords)
{
    writeLanguageFile(81, {{37, "keine"}, {38, "unterstrichen"}});
    startUp();
    TForm1& w = window();
    for (const char* name : {"boxLinkStyle", "boxVisitedLinkStyle", "boxActivatedLinkStyle"}) {
        EXPECT_EQ(styleList(name)->count(), 4);
        EXPECT_EQ(styleList(name)->itemText(0), "keine");
        EXPECT_EQ(styleList(name)->itemText(3), "L40");
        EXPECT_EQ(styleList(name)->currentIndex(), 0);
    }
    EXPECT_EQ(colorsText("Label2"), "L31");
    EXPECT_EQ(colorsText("lblVLink"), "L35");
    EXPECT_TRUE(w.document().Saved);
    w.frmColors().BuildStyleSheet();
    bool saysNone = false;
    for (const std::string& line : w.frmColors().styleSheetLines())
        saysNone = saysNone || line.find("text-decoration: none") != std::string::npos;
    EXPECT_TRUE(saysNone);
    for (const std::string& line : w.frmColors().styleSheetLines()) EXPECT_EQ(line.find("keine"), std::string::npos);

    // New makes a fresh Colors and Styles window, which reads the file again.
    styleList("boxLinkStyle")->setCurrentIndex(1);
    w.colorsWindow().recreate();
    settle();
    EXPECT_EQ(styleList("boxLinkStyle")->itemText(0), "keine");
    EXPECT_EQ(styleList("boxLinkStyle")->currentIndex(), 0);
    EXPECT_EQ(w.frmColors().windowTitle(), "L42");
}

TEST_F(WindowsLanguage, LineEndsAndNulByte)
{
    QByteArray bytes;
    for (int i = 0; i < 81; ++i) bytes += "T" + QByteArray::number(i) + (i % 3 == 0 ? "\r" : i % 3 == 1 ? "\n" : "\r\n");
    bytes.replace("T45", "4.0");
    bytes.replace("T60\r", QByteArray("Neu\0rest\r", 9));  // the text ends in line 60
    writeBytes(bytes);
    TForm1& w = window();
    EXPECT_EQ(w.btnAddFolder->text(), "T7");
    EXPECT_EQ(w.btnAddDoc->text(), "T8");
    EXPECT_EQ(w.btnRemove->text(), "T9");
    EXPECT_EQ(w.VersionText, "4.0");
    EXPECT_EQ(w.messages.newFolder, "T59");
    EXPECT_EQ(w.messages.newDocument, "Neu");
    EXPECT_EQ(w.messages.rootFolder, "Root Folder");  // line 61 lies beyond the end of the text
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].startsWith("List index out of bounds (61)"));
}

// An 8-bit file (Latin-1 umlauts, no UTF-8) is shown right; a caption it gives a new item joins
// the project in the project's encoding (UTF-8 for a new one).
TEST_F(WindowsLanguage, EightBitFileIsShownRight)
{
    writeLanguageFile(81, {{7, "Neuer \xc4rger"}, {44, "Produkt \xdc"}, {61, "Stammverzeichnis \xe4\xf6\xfc"}});
    TForm1& w = window();
    EXPECT_EQ(w.btnAddFolder->text(), QString::fromUtf8("Neuer Ärger"));
    EXPECT_EQ(w.TitleText, QString::fromUtf8("Produkt Ü L45"));
    w.btnAddFolder->click();
    EXPECT_EQ(w.document().tree().root()->caption, "Stammverzeichnis \xc3\xa4\xc3\xb6\xc3\xbc");
    EXPECT_EQ(w.txtCaption->text(), QString::fromUtf8("Stammverzeichnis äöü"));
}

// A FIFO by that name is refused at once by each window (start-up does not wait for a writer); a
// folder by that name is no language file at all.
TEST_F(WindowsLanguage, FileThatCannotBeReadIsReportedAndChangesNothing)
{
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(QFile::encodeName(appFolder() + "Lang.ini").constData(), 0600), 0);
    startUp();
    TForm1& w = window();
    ASSERT_EQ(errors().size(), 3);
    EXPECT_TRUE(errors()[0].startsWith("Cannot open file")) << errors()[0].toStdString();
    EXPECT_EQ(w.btnAddFolder->text(), "New Folder");
    EXPECT_EQ(colorsText("Label1"), "Colors");
    EXPECT_EQ(prompt->BitBtn1()->text(), "&Yes");
#endif
}

TEST_F(WindowsLanguage, FolderByThatNameIsNoLanguageFile)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("Lang.ini"));
    startUp();
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_EQ(window().btnAddFolder->text(), "New Folder");
}

TEST_F(WindowsLanguage, GermanExampleTranslation)
{
    QFile::copy(QStringLiteral(QUILLMAP_SOURCE_DIR "/assets/lang/German/Lang.ini"), appFolder() + "Lang.ini");
    startUp();
    TForm1& w = window();
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_EQ(w.btnAddFolder->text(), "Neuer Ordner");
    EXPECT_EQ(w.btnRemove->text(), "Entfernen");
    EXPECT_EQ(w.GroupBox1->title(), " Eigenschaften ");
    EXPECT_EQ(w.btnMoreHelp->text(), "Hilfe");
    EXPECT_TRUE(w.Memo1->toPlainText().startsWith("Klicken Sie auf [Erstellen + Test]"));
    EXPECT_GT(w.Memo1->toPlainText().count('\n'), 2);
    EXPECT_EQ(w.boxOpenFolder->itemText(1), "Offen");
    EXPECT_EQ(w.TitleText, "Quillmap 2.0");
    EXPECT_EQ(w.projectFiles().mnuSaveAs->text(), "Speichern unter...");
    EXPECT_EQ(w.frmColors().windowTitle(), "Farben und Stile");
    EXPECT_EQ(styleList("boxActivatedLinkStyle")->itemText(1), "unterstrichen");
    EXPECT_EQ(prompt->BitBtn2()->text(), "&Nein");
    // The Site dialog and the site import dialog once stayed English.
    const TfrmSite& site = *w.siteCommands().frmSite;
    EXPECT_EQ(site.windowTitle(), "Website");
    EXPECT_EQ(site.btnClearSite->text(), "&Keine Website");
    EXPECT_EQ(site.buttonBox->button(QDialogButtonBox::Cancel)->text(), "Abbrechen");
    EXPECT_TRUE(site.texts.menuOutsideSite.contains("%2.\nWählen"));
    const SiteImportDialog import("/site", {}, w.imports().siteImportTexts, &w);
    EXPECT_EQ(import.findChild<QCheckBox*>()->text(), "Gemeinsames &Titelende behalten");
    w.btnAddFolder->click();
    EXPECT_EQ(w.document().tree().root()->caption, "Stammordner");
}

}  // namespace
}  // namespace quillmap::test
