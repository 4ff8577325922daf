#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QFileDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "shell/ApplicationTitle.h"
#include "shell/QtPlatform.h"

namespace quillmap::test {
namespace {

// Hands the modal dialog a prompt opens to inspectAndClose, which must also close it.
template <typename Dialog>
void whenShown(const std::function<void(Dialog*)>& inspectAndClose)
{
    QTimer::singleShot(0, [inspectAndClose] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        inspectAndClose(dialog);
    });
}

void pressEscape(QWidget* dialog)
{
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog, &key);
}

TEST(QtPrompts, MessageAndErrorCarryTheApplicationTitle)
{
    setApplicationTitle("Quillmap 2.0 - site.qmp");
    QtPrompts prompts;
    bool seen = false;
    whenShown<QMessageBox>([&](QMessageBox* box) {
        seen = true;
        EXPECT_EQ(box->windowTitle(), "Quillmap 2.0 - site.qmp");
        EXPECT_EQ(box->text(), "Nothing selected");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->accept();
    });
    prompts.message("Nothing selected");
    EXPECT_TRUE(seen);

    whenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Quillmap 2.0 - site.qmp");
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->accept();
    });
    prompts.error("Cannot create file x.");
    setApplicationTitle("Quillmap");
}

TEST(QtPrompts, QuestionsDefaultToYesAndEscapeDeclines)
{
    QtPrompts prompts;
    whenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Confirm");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
        pressEscape(box);
    });
    EXPECT_EQ(prompts.askYesNo("Remove root node? (all tree will be deleted)"), Prompts::Answer::No);

    whenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
        pressEscape(box);
    });
    EXPECT_EQ(prompts.askYesNoCancel("Save changes to  project?"), Prompts::Answer::Cancel);

    whenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_EQ(prompts.askYesNoCancel("?"), Prompts::Answer::No);
    whenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(prompts.askYesNo("?"), Prompts::Answer::Yes);
}

// The list of left recovery copies is named for screen readers and worked from the keyboard; an
// entry that cannot be restored keeps Restore off.
TEST(QtPrompts, ListDialogIsWorkedFromTheKeyboard)
{
    QtPrompts prompts;
    const Prompts::ListQuestion question{"Copies left:", {"one", "two", "three"}, {true, false, true}, "&Restore",
                                         "&Discard", "Discard &all", "Not &now"};
    std::vector<int> removed;
    whenShown<QDialog>([](QDialog* dialog) {
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        auto* list = qobject_cast<QListWidget*>(dialog->focusWidget());
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->accessibleName(), "Copies left:");
        QPushButton* restore = dialog->findChildren<QPushButton*>().at(0);
        EXPECT_TRUE(restore->isDefault());
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_FALSE(restore->isEnabled());
        QTest::keyClick(list, Qt::Key_D, Qt::AltModifier);  // clicks after showing the button pressed
        EXPECT_TRUE(QTest::qWaitFor([&] { return list->count() == 2; }, 2000));
        EXPECT_TRUE(restore->isEnabled());
        QTest::keyClick(list, Qt::Key_Return);
    });
    const Prompts::ListAnswer taken = prompts.actOnList(question, [&](int entry) { removed.push_back(entry); });
    EXPECT_TRUE(taken.action == Prompts::ListAnswer::Action::Take && taken.entry == 2);
    EXPECT_EQ(removed, std::vector<int>{1});
    whenShown<QDialog>([](QDialog* dialog) { pressEscape(dialog); });
    EXPECT_EQ(prompts.actOnList(question, [](int) {}).action, Prompts::ListAnswer::Action::Close);
}

TEST(QtPrompts, SiteImportDialogIsWorkedFromTheKeyboard)
{
    QtPrompts prompts;
    whenShown<QDialog>([](QDialog* dialog) {
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        auto* field = qobject_cast<QLineEdit*>(dialog->focusWidget());
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->accessibleName(), "Table of contents page");
        EXPECT_EQ(field->text(), "contents.html");
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(dialog->focusWidget()->accessibleName(), "Choose the table of contents page");
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        auto* keep = qobject_cast<QCheckBox*>(dialog->focusWidget());
        ASSERT_NE(keep, nullptr);
        QTest::keyClick(keep, Qt::Key_Space);
        QTest::keyClick(dialog, Qt::Key_T, Qt::AltModifier);
        field->selectAll();
        QTest::keyClicks(dialog->focusWidget(), "toc.html");
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    const std::optional<Prompts::SiteImportChoice> choice = prompts.chooseSiteImport("/site", {"contents.html", false}, {});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->contentsPage, "toc.html");
    EXPECT_TRUE(choice->keepTitles);
    whenShown<QDialog>([](QDialog* dialog) { pressEscape(dialog); });
    EXPECT_FALSE(prompts.chooseSiteImport("/site", {}, {}));
}

TEST(QtPrompts, FileDialogsTakeTheirOptions)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QtPrompts prompts;
    Prompts::FileDialogOptions save;
    save.folder = folder.path();
    save.fileName = "new_tree.qmp";
    save.filter = "Quillmap Projects (*.qmp)|*.qmp|All Files (*.*)|*.*";
    save.defaultSuffix = "qmp";
    save.confirmOverwrite = true;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->nameFilters(), QStringList({"Quillmap Projects (*.qmp)", "All Files (*.*)"}));
        EXPECT_EQ(dialog->selectedNameFilter(), "Quillmap Projects (*.qmp)");
        EXPECT_EQ(dialog->defaultSuffix(), "qmp");
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
        dialog->selectFile(folder.filePath("site"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(prompts.saveFileName(save), QDir::toNativeSeparators(folder.filePath("site.qmp")));

    Prompts::FileDialogOptions open;
    open.folder = folder.path();
    open.filter = "HTML Files|*.html;*.htm|All Files|*.*";
    whenShown<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
        EXPECT_EQ(dialog->selectedNameFilter(), "HTML Files (*.html *.htm)");
        dialog->reject();
    });
    EXPECT_TRUE(prompts.openFileName(open).isEmpty());
}

}  // namespace
}  // namespace quillmap::test
