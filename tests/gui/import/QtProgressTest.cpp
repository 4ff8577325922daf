#include <QApplication>
#include <QProgressDialog>
#include <QTest>
#include <gtest/gtest.h>

#include "shell/QtPlatform.h"

namespace quillmap::test {

namespace {

QProgressDialog* openProgressDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QProgressDialog*>(w)) return dialog;
    return nullptr;
}

}  // namespace

TEST(QtProgress, CancelOnTheDialogStopsTheOperationAndTheDialogCloses)
{
    QtPrompts prompts;
    std::unique_ptr<Progress> progress = prompts.showProgress("Importing pages...");
    QProgressDialog* dialog = openProgressDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->labelText(), "Importing pages...");
    EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
    QTest::qWait(60);
    EXPECT_TRUE(progress->update(1, 10));
    dialog->cancel();
    EXPECT_FALSE(progress->update(2, 10));
    QTest::qWait(60);
    EXPECT_FALSE(progress->update(3, 10));
    progress.reset();
    EXPECT_EQ(openProgressDialog(), nullptr);
}

}  // namespace quillmap::test
