// Run by tests/install/check_package.sh with the Debian package installed, as an ordinary user
// whose own folders hold nothing of Quillmap yet.
#include <QDir>
#include <QDirIterator>
#include <QPushButton>
#include <gtest/gtest.h>

#include "shell/Association.h"
#include "shell/QtRegistry.h"
#include "shell/TfrmAskToAssociate.h"
#include "tests/gui/support/Doubles.h"

using namespace quillmap;

// The package registered .qmp for the whole system: "Open .qmp files with Quillmap..." and Yes
// leave no desktop entry, MIME package or icon of the user's own, which would outlive the package.
TEST(InstalledPackage, TheSystemsRegistrationCountsAndYesWritesNothingOfTheUsersOwn)
{
    const QString program = qEnvironmentVariable("QUILLMAP_INSTALLED_PROGRAM");
    if (program.isEmpty()) GTEST_SKIP() << "run by tests/install/check_package.sh";
    test::FakePlatform fake;
    QtRegistry registry;
    const Platform platform{fake.prompts, fake.shell, registry, fake.beeper};
    EXPECT_FALSE(NeedsAssociation(registry, program));

    TfrmAskToAssociate ask(platform, QFileInfo(program).absolutePath() + "/../share/quillmap/", program,
                           [] { return QStringLiteral("2.0"); });
    ask.findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_TRUE(fake.prompts.shown.empty()) << fake.prompts.shown.front().text.toStdString();
    EXPECT_FALSE(NeedsAssociation(registry, program));
    const QString dataHome = QDir::homePath() + "/.local/share";
    for (const QString& folder : {"/applications", "/mime", "/icons"}) {
        QDirIterator files(dataHome + folder, QDir::Files, QDirIterator::Subdirectories);
        EXPECT_FALSE(files.hasNext()) << files.next().toStdString();
    }
}
