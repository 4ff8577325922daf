#include <QDir>
#include <deque>
#include <QProcess>
#include <QSignalSpy>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>

#include "project/RecoveryCopy.h"
#include "project/RecoveryKeeper.h"
#include "tests/gui/lifecycle/LifecycleFixture.h"
#include "text/LocalText.h"
#include "text/TextFile.h"
#include "tests/gui/support/LinuxOnly.h"

namespace quillmap::test {
namespace {

using RecoveryAfterKill = LifecycleTest;
using DiskChanges = LifecycleTest;

// The child's half of the test below: opens the project, edits it, waits for the recovery copy
// and then for its end. It runs only when the test starts it.
TEST_F(RecoveryAfterKill, DISABLED_ChildEditsAndWaits)
{
    qputenv("XDG_DATA_HOME", qgetenv("QUILLMAP_CHILD_DATA"));
    TForm1& w = form();
    w.projectFiles().OpenProject(qEnvironmentVariable("QUILLMAP_CHILD_PROJECT"));
    QSignalSpy written(&w.recovery(), &RecoveryKeeper::copyWritten);
    w.btnAddFolder->click();
    ASSERT_TRUE(written.wait(10000));
    std::cout << "copy written" << std::endl;
    QTest::qWait(60000);
}

TEST_F(RecoveryAfterKill, EditIsOfferedAtTheNextStartAndSavedToItsFile)
{
    QUILLMAP_LINUX_ONLY("the data folder is given through XDG_DATA_HOME");
    const QString project = writeProject("site.qmp", exampleFileText());
    const QString data = folder.path() + "/data";
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUILLMAP_CHILD_DATA", data);
    environment.insert("QUILLMAP_CHILD_PROJECT", project);
    environment.insert("TMPDIR", folder.path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_also_run_disabled_tests", "--gtest_filter=RecoveryAfterKill.DISABLED_ChildEditsAndWaits"});
    QByteArray output;
    while (!output.contains("copy written") && child.waitForReadyRead(20000)) output += child.readAllStandardOutput();
    ASSERT_TRUE(output.contains("copy written")) << output.toStdString();
    child.kill();  // SIGKILL: nothing of the program runs any more
    ASSERT_TRUE(child.waitForFinished(10000));

    const QByteArray ownData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.toLocal8Bit());
    TForm1& w = form();
    w.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fake.prompts.texts("yesno").isEmpty(); }, 5000));
    qputenv("XDG_DATA_HOME", ownData);

    ASSERT_EQ(fake.prompts.texts("yesno").size(), 1);
    // The whole path: a copy must not pass for another project of the same name.
    EXPECT_TRUE(fake.prompts.texts("yesno")[0].contains("Restore the unsaved changes of " +
                                                        QDir::toNativeSeparators(project) + " from"));
    EXPECT_EQ(w.document().ProjectFileName, project);
    EXPECT_FALSE(w.document().Saved);
    EXPECT_EQ(w.document().tree().size(), 4u);

    w.btnSAVE->click();
    const std::string saved = readBytes(project);
    EXPECT_NE(saved.find("Root Folder\r\n\tDocs\r\n\t\tReadme\r\n\tNew Folder\r\n"), std::string::npos) << saved;
    // The restored work now lives in the file alone: the child's copy went at the restore, this
    // window's own copy with the save.
    const std::filesystem::directory_iterator files(toFilePath(data + "/quillmap/recovery"));
    EXPECT_EQ(std::count_if(begin(files), end(files), [](const auto& f) { return f.path().extension() == ".recovery"; }), 0);
}

// A data folder that cannot be made (its place is taken by a file) turns the recovery off with one
// notice; saving goes on as before.
TEST_F(RecoveryAfterKill, UnwritableDataFolderIsReportedOnce)
{
    QUILLMAP_LINUX_ONLY("the data folder is given through XDG_DATA_HOME");
    const QString blocked = writeProject("not-a-folder", "");
    const QByteArray ownData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", blocked.toLocal8Bit());
    TForm1& w = form();
    qputenv("XDG_DATA_HOME", ownData);
    buildUnsavedTree();
    QTest::qWait(500);
    w.txtCaption->setText("Renamed");
    QTest::qWait(2500);
    const QStringList notices = fake.prompts.texts("message");
    ASSERT_EQ(notices.size(), 1) << notices.join("|").toStdString();
    EXPECT_TRUE(notices[0].contains("The recovery is off"));
    fake.prompts.fileNames.push_back(projectPath("kept.qmp"));
    w.btnSAVE->click();
    EXPECT_NE(readBytes(projectPath("kept.qmp")).find("Renamed"), std::string::npos);
}

// Forty copies once meant forty questions in a row. Now one list holds them, newest first: one is
// restored and others discarded, a damaged one is set aside at once, and what is left stays.
TEST_F(RecoveryAfterKill, SeveralLeftCopiesAreOfferedInOneList)
{
    QUILLMAP_LINUX_ONLY("the data folder is given through XDG_DATA_HOME");
    namespace fs = std::filesystem;
    const fs::path data = toFilePath(folder.path() + "/data"), copies = data / "quillmap" / "recovery";
    const QByteArray ownData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray(pathText(data).c_str()));
    TForm1& w = form();
    qputenv("XDG_DATA_HOME", ownData);
    using Action = Prompts::ListAnswer::Action;
    // left: the files left, the window's own copy (made by the restore) included
    const struct { std::deque<int> removals; Prompts::ListAnswer answer; const char* restored; long left; } cases[] = {{{1}, {Action::Take, 0}, "b.qmp", 2}, {{}, {Action::Close}, "", 4}, {{}, {Action::RemoveAll}, "", 1}};
    for (const auto& c : cases) {
        fs::create_directories(copies);
        int age = 0;
        for (const char* name : {"b", "a", "c"}) {
            const fs::path copy = copies / (std::string(name) + ".recovery");
            saveTextFile(copy, name[0] == 'c' ? "Quillmap recovery copy 2\r\ncut short"
                                              : recoveryCopyText({pathText(toFilePath(projectPath(QString(name) + ".qmp"))),
                                                                  7, exampleFileText(), {}}));
            fs::last_write_time(copy, fs::file_time_type::clock::now() - std::chrono::minutes(++age));
        }
        fake.prompts.clear();
        fake.prompts.listRemovals = c.removals, fake.prompts.listAnswer = c.answer;
        std::string restored;
        w.recovery().offerAbandonedCopies([&](const RecoveredProject& project) { restored = project.projectFile; });
        EXPECT_EQ(kinds(), QStringList{"list"});
        const Prompts::ListQuestion& list = fake.prompts.lists.at(0);
        EXPECT_TRUE(list.entries.at(0).startsWith(QDir::toNativeSeparators(projectPath("b.qmp")) + ", from "));
        EXPECT_TRUE(list.entries.at(2).contains("c.damaged") && list.takeable == QList<bool>({true, true, false}));
        EXPECT_EQ(restored, *c.restored ? pathText(toFilePath(projectPath(c.restored))) : "");
        const auto files = fs::directory_iterator(copies);
        EXPECT_EQ(std::count_if(begin(files), end(files), [](auto& f) { return f.path().extension() != ".lock"; }), c.left);
        for (const char* name : {"a.recovery", "b.recovery", "c.damaged"}) fs::remove(copies / name);
    }
}

// What another program may do to the open project's file, and what the next save does then.
TEST_F(DiskChanges, SaveAsksOnlyWhenAnotherProgramChangedTheFile)
{
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> act;
        QStringList shown;
    };
    const auto later = [](const std::filesystem::path& path) {
        std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(5));
    };
    const auto changeDocs = [&](const std::filesystem::path& path) {
        std::string text = readBytes(fromFilePath(path));
        text.replace(text.find("Docs"), 4, "Dogs");
        saveTextFile(path, text);
        later(path);
    };
    const std::vector<Case> cases = {
        {"changed, same size", changeDocs, {"yesnocancel"}},
        // Restored work once took the changed file for the one it began from.
        {"changed while the work waited in a recovery copy",
         [&](const auto& path) {
             const std::string copy = recoveryCopyText(form().recoverySnapshot());
             changeDocs(path);
             form().projectFiles().restoreRecovered(parseRecoveryCopy(copy));
         },
         {"yesnocancel"}},
        // Restored work of an older program's copy, which knows no baseline, once replaced the file unasked.
        {"restored from a copy without baseline",
         [&](const auto& path) {
             form().projectFiles().restoreRecovered({pathText(path), 7, form().projectFiles().projectTextNow(), {}});
         },
         {"yesnocancel"}},
        {"deleted", [](const auto& path) { std::filesystem::remove(path); }, {"message"}},
        {"same content rewritten",
         [&](const auto& path) {
             saveTextFile(path, readBytes(fromFilePath(path)));
             later(path);
         },
         {}},
        {"touched only", later, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString project = writeProject("site.qmp", exampleFileText());
        form().projectFiles().OpenProject(project);
        form().btnAddFolder->click();
        c.act(toFilePath(project));
        fake.prompts.clear();
        form().btnSAVE->click();
        EXPECT_EQ(kinds(), c.shown);
        EXPECT_TRUE(form().document().Saved);
        EXPECT_NE(readBytes(project).find("\tNew Folder\r\n"), std::string::npos);
    }
}

// No to the question loads the other program's version; one undo brings the window's back.
TEST_F(DiskChanges, ReloadingTheChangedFileCanBeUndone)
{
    const QString project = writeProject("site.qmp", exampleFileText());
    TForm1& w = form();
    w.projectFiles().OpenProject(project);
    w.btnAddFolder->click();
    std::string other = exampleFileText();
    other.replace(other.find("Docs"), 4, "Dogs and cats");
    writeProject("site.qmp", other);
    fake.prompts.answers = {Prompts::Answer::No};
    w.btnSAVE->click();
    ASSERT_EQ(fake.prompts.choices.size(), 1u);
    EXPECT_EQ(fake.prompts.choices[0].no, "&Reload");

    EXPECT_EQ(readBytes(project), other);
    EXPECT_EQ(w.document().tree().itemAt(1)->caption, "Dogs and cats");
    EXPECT_TRUE(w.document().Saved);
    w.document().undo();
    EXPECT_EQ(w.document().tree().itemAt(1)->caption, "Docs");
    EXPECT_EQ(w.document().tree().size(), 4u);
    EXPECT_FALSE(w.document().Saved);
}

}  // namespace
}  // namespace quillmap::test
