#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "shell/Association.h"
#include "shell/TfrmAskToAssociate.h"
#include "tests/gui/support/Doubles.h"

using namespace quillmap;
using quillmap::test::FakePlatform;
using quillmap::test::FakeRegistry;

namespace {

// The registry holds the program's path with the system's separators.
QString native(const QString& path) { return QDir::toNativeSeparators(path); }
const QString Exe = native("/opt/Tools/quillmap");
const QString Command = native("\"/opt/Tools/quillmap\" \"%1\"");

// The shell takes either separator; on Windows the program joins its folder and a file name with
// a backslash.
ShellCommand portable(ShellCommand command)
{
    command.file = QDir::fromNativeSeparators(command.file);
    command.folder = QDir::fromNativeSeparators(command.folder);
    return command;
}

// Records the order of writes and can fail from a given write on.
class RecordingRegistry : public FakeRegistry {
public:
    QStringList order;
    int failFrom = -1;  // index of the first write that fails
    void write(RegistryRoot root, const QString& key, const QString& name, const QString& value) override
    {
        if (failFrom >= 0 && order.size() >= failFrom) failWrites = true;
        FakeRegistry::write(root, key, name, value);
        order << slot(root, key, name);
    }
};

void associate(FakeRegistry& r, const QString& type, const QString& command)
{
    r.values[FakeRegistry::slot(RegistryRoot::ClassesRoot, ".qmp", "")] = type;
    r.values[FakeRegistry::slot(RegistryRoot::ClassesRoot, "QMAPFile\\shell\\open\\command", "")] = command;
}

void setNeverAsk(FakeRegistry& r, const QString& version, const QString& value)
{
    r.values[FakeRegistry::slot(RegistryRoot::CurrentUser, "Software\\Zentavo\\Quillmap_" + version,
                                "neverAsk2Associate")] = value;
}

}  // namespace

TEST(Association, CommandTextIsQuotedPathBlankQuotedPlaceholder)
{
    EXPECT_EQ(associationCommandText(Exe), Command);
    EXPECT_EQ(associationCommandText("/a b/c"), native("\"/a b/c\" \"%1\""));
}

TEST(Association, ProgramOfAnOpenCommandOfOurs)
{
    const struct {
        QString command, program;
    } cases[] = {
        {Command, Exe},
        {"\"/a b/c\" \"%1\"", "/a b/c"},
        {native("/opt/Tools/quillmap \"%1\""), Exe},  // written unquoted by earlier versions
        {"/opt/Tools/quillmap %1", ""},
        {"\"/opt/Tools/quillmap \"%1\"", ""},
        {"\"\" \"%1\"", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(associationCommandProgram(c.command), c.program) << c.command.toStdString();
}

TEST(Association, RegisterFileTypeWritesExactlyTheThreeEntriesInOrder)
{
    RecordingRegistry r;
    RegisterFileType(r, Exe);
    EXPECT_EQ(r.order, (QStringList{"HKCR|.qmp|", "HKCR|QMAPFile|", "HKCR|QMAPFile\\shell\\open\\command|"}));
    EXPECT_EQ(r.values.size(), 3);
    EXPECT_EQ(r.values["HKCR|.qmp|"], "QMAPFile");
    EXPECT_EQ(r.values["HKCR|QMAPFile|"], "Quillmap Project");
    EXPECT_EQ(r.values["HKCR|QMAPFile\\shell\\open\\command|"], Command);
    EXPECT_FALSE(NeedsAssociation(r, Exe));
}

TEST(Association, FailedWriteSkipsTheRestAndKeepsWhatWasWritten)
{
    RecordingRegistry r;
    r.failFrom = 1;
    EXPECT_THROW(RegisterFileType(r, Exe), Error);
    EXPECT_EQ(r.values.size(), 1);
    EXPECT_EQ(r.values["HKCR|.qmp|"], "QMAPFile");
    EXPECT_TRUE(NeedsAssociation(r, Exe));
}

TEST(Association, OnlyAnExactMatchCountsAsAssociated)
{
    FakeRegistry r;
    EXPECT_TRUE(NeedsAssociation(r, Exe));  // empty registry
    associate(r, "OtherApp.Document", Command);
    EXPECT_TRUE(NeedsAssociation(r, Exe));  // another program owns .qmp
    associate(r, "QMapFile", Command);
    EXPECT_TRUE(NeedsAssociation(r, Exe));  // letter case differs
    associate(r, "QMAPFile", "/elsewhere/quillmap \"%1\"");
    EXPECT_TRUE(NeedsAssociation(r, Exe));  // the program was moved
    associate(r, "QMAPFile", native("/opt/Tools/quillmap %1"));
    EXPECT_TRUE(NeedsAssociation(r, Exe));
    associate(r, "QMAPFile", native("/opt/Tools/quillmap \"%1\""));
    EXPECT_TRUE(NeedsAssociation(r, Exe));  // unquoted, as earlier versions wrote it: Yes replaces it
    associate(r, "QMAPFile", Command);
    EXPECT_FALSE(NeedsAssociation(r, Exe));
    // The description is not checked.
    r.values["HKCR|QMAPFile|"] = "something else";
    EXPECT_FALSE(NeedsAssociation(r, Exe));
}

TEST(Association, NeverAskMarkMustBeUpperCaseYesForThisVersion)
{
    FakeRegistry r;
    EXPECT_TRUE(associationPromptWanted(r, Exe, "2.0"));
    setNeverAsk(r, "2.0", "yes");
    EXPECT_TRUE(associationPromptWanted(r, Exe, "2.0"));
    setNeverAsk(r, "2.0", "YES ");
    EXPECT_TRUE(associationPromptWanted(r, Exe, "2.0"));
    setNeverAsk(r, "2.0", "YES");
    EXPECT_FALSE(associationPromptWanted(r, Exe, "2.0"));
    // A language file that changes the version moves the mark to another key.
    EXPECT_TRUE(associationPromptWanted(r, Exe, "3.1"));
    storeNeverAsk(r, "3.1");
    EXPECT_EQ(r.values["HKCU|Software\\Zentavo\\Quillmap_3.1|neverAsk2Associate"], "YES");
    EXPECT_FALSE(associationPromptWanted(r, Exe, "3.1"));
}

TEST(Association, MatchingAssociationNeedsNoPromptWhateverTheMarkSays)
{
    FakeRegistry r;
    associate(r, "QMAPFile", Command);
    setNeverAsk(r, "2.0", "no");
    EXPECT_FALSE(associationPromptWanted(r, Exe, "2.0"));
}

TEST(Association, StartUpCheckShowsThePromptModallyOnlyWhenWanted)
{
    FakePlatform fake;
    TfrmAskToAssociate prompt(fake.platform(), "/nonexistent/", Exe, [] { return QString("2.0"); });
    bool wasModal = false;
    QTimer::singleShot(0, &prompt, [&] {
        wasModal = prompt.isVisible() && prompt.isModal();
        prompt.BitBtn2()->click();
    });
    EXPECT_TRUE(runAssociationCheck(fake.registry, Exe, "2.0", prompt));
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(prompt.result(), TfrmAskToAssociate::No);
    EXPECT_EQ(fake.registry.writes, 0);  // No without the box writes nothing...
    EXPECT_TRUE(associationPromptWanted(fake.registry, Exe, "2.0"));  // ...so it comes back

    QTimer::singleShot(0, &prompt, [&] { prompt.BitBtn1()->click(); });
    EXPECT_TRUE(runAssociationCheck(fake.registry, Exe, "2.0", prompt));
    EXPECT_EQ(prompt.result(), TfrmAskToAssociate::Yes);

    // After Yes the next start finds the association and shows nothing.
    bool shownAgain = false;
    QTimer::singleShot(0, &prompt, [&] {
        shownAgain = prompt.isVisible();
        prompt.reject();
    });
    EXPECT_FALSE(runAssociationCheck(fake.registry, Exe, "2.0", prompt));
    QCoreApplication::processEvents();
    EXPECT_FALSE(shownAgain);
}

TEST(ShellCommands, HelpAndBrowseOutHandTheShellTheirArguments)
{
    const QString app = "/opt/Tools/";
    const ShellCommand help = helpCommand(app);
    EXPECT_EQ(portable(help), (ShellCommand{"open", "/opt/Tools/Help/index.htm", "", "/opt/Tools/", 5}));
    EXPECT_FALSE(help.parameters.isNull());  // an empty text, not an absent one

    const ShellCommand out = browseFolderCommand("/opt/Tools/out");
    EXPECT_EQ(out, (ShellCommand{"explore", "/opt/Tools/out", "", "/opt/Tools/out", 1}));
    EXPECT_FALSE(out.parameters.isNull());

    EXPECT_EQ(portable(testPageCommandIn("/opt/Tools/out")), (ShellCommand{"open", "/opt/Tools/out/index.html", "", "/opt/Tools/out", 10}));

    FakePlatform fake;
    execute(fake.shell, out);
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    const auto& call = fake.shell.calls[0];
    EXPECT_EQ(call.verb, "explore");
    EXPECT_EQ(call.file, "/opt/Tools/out");
    EXPECT_EQ(call.parameters, "");
    EXPECT_FALSE(call.parameters.isNull());
    EXPECT_EQ(call.folder, "/opt/Tools/out");
    EXPECT_EQ(call.showCommand, 1);
}
