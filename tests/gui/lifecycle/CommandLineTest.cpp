// The project named on the command line, opened when the main window is first shown and before
// the file-type association check.
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <sstream>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "text/LocalText.h"

#include "app/StartOptions.h"
#include "shell/TfrmAskToAssociate.h"
#include "tests/gui/lifecycle/LifecycleFixture.h"

namespace quillmap::test {
namespace {

// Tells the test when the association check looks at the registry.
class WatchedRegistry : public FakeRegistry {
public:
    std::function<void()> onRead;
    QString read(RegistryRoot root, const QString& key, const QString& name) override
    {
        if (onRead) onRead();
        return FakeRegistry::read(root, key, name);
    }
};

class CommandLine : public LifecycleTest {
protected:
    // Shows the main window started with args, as the program does: the three windows exist
    // first. The never-ask mark keeps the association prompt from showing.
    void start(QStringList args)
    {
        registry.values[FakeRegistry::slot(RegistryRoot::CurrentUser, "Software\\Zentavo\\Quillmap_2.0",
                                           "neverAsk2Associate")] = "YES";
        registry.onRead = [this] {
            ++registryReads;
            if (registryReads == 1) titleAtCheck = main->windowTitle();
        };
        const Platform platform{fake.prompts, fake.shell, registry, fake.beeper};
        main = std::make_unique<TForm1>(platform, appFolder(), std::move(args));
        main->createColorsWindow();
        prompt = std::make_unique<TfrmAskToAssociate>(platform, appFolder(), QCoreApplication::applicationFilePath(),
                                                      [] { return QString("2.0"); });
        main->frmAskToAssociate = prompt.get();
        main->show();
        // The first-show steps run once the window is on the screen.
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        main.reset();
        prompt.reset();
    }

    WatchedRegistry registry;
    std::unique_ptr<TForm1> main;
    std::unique_ptr<TfrmAskToAssociate> prompt;
    int registryReads = 0;
    QString titleAtCheck;
};

TEST_F(CommandLine, FirstArgumentIsOpenedBeforeTheAssociationCheck)
{
    const QString path = writeProject("example.qmp", exampleFileText());
    start({path, projectPath("ignored.qmp")});
    EXPECT_TRUE(fake.prompts.shown.empty());  // no question, no dialog
    EXPECT_EQ(main->document().ProjectFileName, path);
    EXPECT_EQ(main->windowTitle(), "Quillmap 2.0 - example.qmp");
    EXPECT_EQ(applicationTitle(), "Quillmap 2.0 - example.qmp");
    EXPECT_EQ(main->document().tree().size(), 3u);
    EXPECT_EQ(main->items().selectedNode(), main->document().tree().root());
    EXPECT_GT(registryReads, 0);
    EXPECT_EQ(titleAtCheck, "Quillmap 2.0 - example.qmp");
}

TEST_F(CommandLine, ErrorEndsTheShowStepBeforeTheCheck)
{
    const QString missing = projectPath("missing.qmp");
    start({missing});
    EXPECT_EQ(fake.prompts.texts("error"), QStringList({"Cannot open file " + missing + ": no such file."}));
    EXPECT_EQ(registryReads, 0);
    EXPECT_TRUE(main->document().Saved);
    EXPECT_TRUE(main->document().tree().empty());
    EXPECT_EQ(main->windowTitle(), "Quillmap 2.0");
}

// A project that fails partway stays on screen tied to no file, like one opened with the button.
TEST_F(CommandLine, FailureHalfWayTiesTheTreeToNoFile)
{
    std::string text = exampleFileText();
    text.replace(text.find("#000000"), 7, "red");
    const QString path = writeProject("damaged.qmp", text);
    start({path});
    EXPECT_EQ(fake.prompts.texts("error"), QStringList({"'red' is not a valid colour."}));
    EXPECT_EQ(main->document().tree().size(), 3u);
    EXPECT_TRUE(main->document().ProjectFileName.isEmpty());
    EXPECT_EQ(main->windowTitle(), "Quillmap 2.0");
    EXPECT_FALSE(main->document().Saved);
    fake.prompts.clear();
    main->btnSAVE->click();
    EXPECT_EQ(kinds(), QStringList({"save"}));
    EXPECT_EQ(readBytes(path), text);
}

#ifndef _WIN32
// File names are the system's bytes: a Latin-1 name on a UTF-8 system opens and saves in place.
TEST_F(CommandLine, NameThatIsNoUtf8Opens)
{
    const std::filesystem::path path = toFilePath(projectPath("")).string() + "caf\xE9.qmp";
    std::ofstream(path, std::ios::binary) << exampleFileText();
    start({fromFilePath(path)});
    EXPECT_TRUE(fake.prompts.shown.empty()) << kinds().join(",").toStdString();
    EXPECT_EQ(main->document().tree().size(), 3u);
    main->projectFiles().mnuSave->trigger();
    EXPECT_TRUE(fake.prompts.shown.empty());
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path())) files.push_back(entry.path());
    EXPECT_EQ(files, std::vector<std::filesystem::path>{path});
    std::filesystem::remove(path);  // Qt's temporary folder cannot remove a name that is no UTF-8
}
#endif

TEST_F(CommandLine, RefusalLetsTheCheckRun)
{
    start({writeProject("plain.txt", "just some text\r\n")});
    EXPECT_EQ(fake.prompts.texts("message"), QStringList({"This isn't Quillmap Project File"}));
    EXPECT_GT(registryReads, 0);
    EXPECT_EQ(titleAtCheck, "Quillmap 2.0");
    EXPECT_TRUE(main->document().tree().empty());
}

TEST_F(CommandLine, EmptyArgumentShowsTheOpenDialog)
{
    start({QString()});
    EXPECT_EQ(kinds(), QStringList({"open"}));
    EXPECT_GT(registryReads, 0);
}

}  // namespace
}  // namespace quillmap::test

namespace quillmap::test {
namespace {

// The window's own options are answered before the toolkit starts, as the command-line programs
// answer theirs; an argument that looked like an option once opened the window with "Cannot open
// file --help.".
TEST(StartOptions, HelpVersionAndMistakesEndTheProgramWithTheirStatus)
{
    const struct {
        std::vector<std::string> arguments;
        std::optional<int> status;
        std::string out, errStart, project;
    } cases[] = {
        {{}, std::nullopt, "", "", ""},
        {{"site.qmp"}, std::nullopt, "", "", "site.qmp"},
        {{"--", "--help"}, std::nullopt, "", "", "--help"},
        {{"-style", "fusion", "-reverse", "site.qmp"}, std::nullopt, "", "", "site.qmp"},
        {{"--help"}, 0, "Usage: quillmap [--] [PROJECT.qmp]\n", "", ""},
        {{"-h", "site.qmp"}, 0, "Usage: quillmap [--] [PROJECT.qmp]\n", "", ""},
        {{"--version"}, 0, "quillmap 2.0\n", "", ""},
        {{"--verbose"}, 2, "", "quillmap: unknown option --verbose\nUsage:", ""},
        {{"a.qmp", "b.qmp"}, 2, "", "quillmap: only one project can be opened at a time\nUsage:", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments.front());
        std::ostringstream out, err;
        std::string project;
        EXPECT_EQ(readStartOptions(c.arguments, project, out, err), c.status);
        EXPECT_EQ(out.str().substr(0, c.out.size()), c.out);
        if (c.out.empty()) {
            EXPECT_EQ(out.str(), "");
        }
        EXPECT_EQ(err.str().substr(0, c.errStart.size()), c.errStart);
        if (!c.status) {
            EXPECT_EQ(project, c.project);
        }
    }
}

#ifndef _WIN32
// Without a display Qt would abort the program.
TEST(StartOptions, TheProgramAnswersWithoutADisplay)
{
    const QString program = QCoreApplication::applicationDirPath() + "/../bin/quillmap";
    if (!QFileInfo::exists(program)) GTEST_SKIP() << "no program at " << program.toStdString();
    for (const auto& [argument, status] : {std::pair{"--version", 0}, std::pair{"--nonsense", 2}}) {
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        run.setProcessEnvironment(environment);
        run.start(program, {argument});
        ASSERT_TRUE(run.waitForFinished(10000));
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit) << argument;
        EXPECT_EQ(run.exitCode(), status) << argument;
    }
}
#endif

}  // namespace
}  // namespace quillmap::test
