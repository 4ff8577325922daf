#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "text/Error.h"
#include "shell/Association.h"
#include "shell/QtRegistry.h"

using namespace quillmap;

namespace {
constexpr auto HKCR = RegistryRoot::ClassesRoot;
constexpr auto HKCU = RegistryRoot::CurrentUser;
}  // namespace

TEST(QtRegistry, MissingStoreKeyOrValueReadsEmpty)
{
    QTemporaryDir dir;
    QtRegistry registry(dir.path());
    EXPECT_EQ(registry.storeFile(), dir.path() + "/registry.ini");
    EXPECT_EQ(registry.read(HKCR, ".qmp", ""), "");
    registry.write(HKCR, ".qmp", "", "QMAPFile");
    EXPECT_EQ(registry.read(HKCR, ".qmp", "other"), "");
    EXPECT_EQ(registry.read(HKCR, ".qmpx", ""), "");
    EXPECT_EQ(registry.read(HKCU, ".qmp", ""), "");  // the two roots are apart
}

TEST(QtRegistry, ValuesPersistAcrossInstancesExactlyAsWritten)
{
    QTemporaryDir dir;
    const QString tricky = "C:\\Tools\\app.exe \"%1\" \r\n [x] = @ \xC3\xBC";
    {
        QtRegistry registry(dir.path() + "/nested/folder");  // created on the first write
        registry.write(HKCR, "QMAPFile\\shell\\open\\command", "", tricky);
        registry.write(HKCU, "Software\\Zentavo\\Quillmap_2.0", "neverAsk2Associate", "YES");
        registry.write(HKCU, "Software\\Zentavo\\Quillmap_2.0", "neverAsk2Associate", "yes");
        registry.write(HKCU, "Software\\Zentavo\\Quillmap_2.0", "quote\"name", "v");
    }
    QtRegistry again(dir.path() + "/nested/folder");
    EXPECT_EQ(again.read(HKCR, "QMAPFile\\shell\\open\\command", ""), tricky);
    EXPECT_EQ(again.read(HKCU, "Software\\Zentavo\\Quillmap_2.0", "neverAsk2Associate"), "yes");
    EXPECT_EQ(again.read(HKCU, "Software\\Zentavo\\Quillmap_2.0", "quote\"name"), "v");
}

TEST(QtRegistry, KeyAndValueNamesIgnoreLetterCaseButValuesDoNot)
{
    QTemporaryDir dir;
    QtRegistry registry(dir.path());
    registry.write(HKCU, "Software\\Zentavo\\Quillmap_2.0", "neverAsk2Associate", "YES");
    EXPECT_EQ(registry.read(HKCU, "SOFTWARE\\zentavo\\QUILLMAP_2.0", "NeverAsk2Associate"), "YES");
    registry.write(HKCU, "software\\ZENTAVO\\quillmap_2.0", "NEVERASK2ASSOCIATE", "Yes");
    EXPECT_EQ(registry.read(HKCU, "Software\\Zentavo\\Quillmap_2.0", "neverAsk2Associate"), "Yes");
    QFile store(registry.storeFile());
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    const QByteArray text = store.readAll();
    EXPECT_EQ(text.count("neverAsk2Associate"), 1);  // one value, under the name first written
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Zentavo\\Quillmap_2.0]"));
}

TEST(QtRegistry, DamagedStoreKeepsWhatCanBeReadAndStaysWritable)
{
    QTemporaryDir dir;
    {
        QFile store(dir.path() + "/registry.ini");
        ASSERT_TRUE(store.open(QIODevice::WriteOnly));
        store.write("garbage line\n\"orphan\"=\"value\"\n[HKEY_CLASSES_ROOT\\.qmp]\r\n@=\"QMAPFile\"\r\n"
                    "\"broken=\"x\n@=\"unterminated\n\"name\"=\"v\" trailing\n[]\n@=\"lost\"\n");
    }
    QtRegistry registry(dir.path());
    EXPECT_EQ(registry.read(HKCR, ".qmp", ""), "QMAPFile");
    registry.write(HKCR, "QMAPFile", "", "Quillmap Project");
    EXPECT_EQ(registry.read(HKCR, ".qmp", ""), "QMAPFile");
    EXPECT_EQ(registry.read(HKCR, "QMAPFile", ""), "Quillmap Project");
}

TEST(QtRegistry, WriteFailureThrowsAClearErrorAndChangesNothing)
{
    QTemporaryDir dir;
    QFile blocker(dir.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QtRegistry registry(dir.path() + "/file/store");  // its folder cannot be made
    try {
        registry.write(HKCU, "Software\\Zentavo\\Quillmap_2.0", "neverAsk2Associate", "YES");
        FAIL() << "the write should have failed";
    } catch (const Error& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("HKEY_CURRENT_USER\\Software\\Zentavo\\Quillmap_2.0\\neverAsk2Associate"), std::string::npos)
            << text;
    }
    EXPECT_EQ(registry.read(HKCU, "Software\\Zentavo\\Quillmap_2.0", "neverAsk2Associate"), "");
    EXPECT_THROW(registry.write(HKCR, "a\nb", "", "x"), Error);
}

TEST(QtRegistry, AssociationRoundTripsThroughTheStore)
{
    QTemporaryDir dir;
    const QString exe = "/opt/Tools/quillmap";
    {
        QtRegistry registry(dir.path());
        EXPECT_TRUE(associationPromptWanted(registry, exe, "2.0"));
        RegisterFileType(registry, exe);
    }
    QtRegistry nextStart(dir.path());
    EXPECT_FALSE(NeedsAssociation(nextStart, exe));
    EXPECT_TRUE(NeedsAssociation(nextStart, "/moved/quillmap"));
    storeNeverAsk(nextStart, "2.0");
    EXPECT_FALSE(associationPromptWanted(nextStart, "/moved/quillmap", "2.0"));
}

TEST(QtRegistry, UserStoreLivesInTheConfigurationFolder)
{
    QtRegistry registry;
#ifdef Q_OS_WIN
    EXPECT_TRUE(registry.storeFile().isEmpty());
#else
    EXPECT_TRUE(registry.storeFile().endsWith("/registry.ini"));
    EXPECT_FALSE(registry.storeFile().startsWith("/registry.ini"));
#endif
}
