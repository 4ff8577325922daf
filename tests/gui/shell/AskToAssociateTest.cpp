#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "shell/TfrmAskToAssociate.h"
#include "tests/gui/support/Doubles.h"

using namespace quillmap;
using quillmap::test::FakePlatform;

namespace {

const QString Exe = "/opt/Tools/quillmap";
const QString NeverAskSlot = "HKCU|Software\\Zentavo\\Quillmap_2.0|neverAsk2Associate";

struct PromptFixture {
    FakePlatform fake;
    QTemporaryDir folder;
    QString version = "2.0";
    std::unique_ptr<TfrmAskToAssociate> prompt;

    QString appFolder() const { return folder.path() + "/"; }
    void writeLanguageFile(const QByteArray& bytes)
    {
        QFile file(appFolder() + "Lang.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A file of n lines whose line i reads "L<i>".
    void writeNumberedLanguageFile(int n)
    {
        QByteArray bytes;
        for (int i = 0; i < n; ++i) bytes += "L" + QByteArray::number(i) + "\r\n";
        writeLanguageFile(bytes);
    }
    TfrmAskToAssociate& create()
    {
        prompt = std::make_unique<TfrmAskToAssociate>(fake.platform(), appFolder(), Exe, [this] { return version; });
        return *prompt;
    }
    bool registered() const { return fake.registry.values.value("HKCR|.qmp|") == "QMAPFile"; }
};

}  // namespace

TEST(AskToAssociate, ShowsItsDesignedTextsAndButtons)
{
    PromptFixture f;
    auto& p = f.create();
    EXPECT_EQ(p.windowTitle(), "Quillmap");
    EXPECT_EQ(p.size(), QSize(555, 178));
    EXPECT_EQ(p.minimumSize(), p.maximumSize());
    EXPECT_EQ(p.Label1()->text(), "Quillmap  is not registered as a default program for .QMP files");
    EXPECT_EQ(p.Label2()->text(), "Would you like to register it, so if you double-click the .QMP file, it's opened?");
    for (QLabel* label : {p.Label1(), p.Label2()}) {
        EXPECT_EQ(label->font().pixelSize(), 13);
        EXPECT_EQ(label->width(), 555);
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    }
    EXPECT_EQ(p.BitBtn1()->text(), "&Yes");
    EXPECT_EQ(p.BitBtn2()->text(), "&No");
    EXPECT_TRUE(p.BitBtn1()->isDefault());
    EXPECT_FALSE(p.BitBtn2()->isDefault());
    EXPECT_LT(p.BitBtn1()->x(), p.BitBtn2()->x());
    EXPECT_FALSE(p.BitBtn1()->icon().isNull());
    EXPECT_FALSE(p.BitBtn2()->icon().isNull());
    EXPECT_EQ(p.chkNeverAsk()->text(), "Never ask me about it.");
    EXPECT_FALSE(p.chkNeverAsk()->isChecked());
    EXPECT_GT(p.chkNeverAsk()->y(), p.BitBtn1()->y());
    EXPECT_TRUE(f.fake.prompts.shown.empty());  // no Lang.ini: nothing read, nothing reported
}

TEST(AskToAssociate, YesRegistersAndWithTheBoxAlsoStoresTheMark)
{
    PromptFixture f;
    auto& p = f.create();
    p.BitBtn1()->click();
    EXPECT_EQ(p.result(), TfrmAskToAssociate::Yes);
    EXPECT_TRUE(f.registered());
    EXPECT_EQ(f.fake.registry.values.size(), 3);

    PromptFixture g;
    auto& q = g.create();
    q.chkNeverAsk()->setChecked(true);
    q.BitBtn1()->click();
    EXPECT_TRUE(g.registered());
    EXPECT_EQ(g.fake.registry.values.value(NeverAskSlot), "YES");
    EXPECT_EQ(g.fake.registry.values.size(), 4);
}

TEST(AskToAssociate, NoWritesNothingUnlessTheBoxIsChecked)
{
    PromptFixture f;
    auto& p = f.create();
    p.BitBtn2()->click();
    EXPECT_EQ(p.result(), TfrmAskToAssociate::No);
    EXPECT_EQ(f.fake.registry.writes, 0);

    p.chkNeverAsk()->setChecked(true);
    p.BitBtn2()->click();
    EXPECT_FALSE(f.registered());
    EXPECT_EQ(f.fake.registry.values.value(NeverAskSlot), "YES");
    EXPECT_EQ(f.fake.registry.writes, 1);
}

TEST(AskToAssociate, EveryWayOfClosingStoresTheMarkForTheCurrentVersion)
{
    PromptFixture f;
    auto& p = f.create();
    p.chkNeverAsk()->setChecked(true);
    f.version = "3.1";  // the version is read when the prompt closes

    p.show();
    QTest::keyClick(&p, Qt::Key_Escape);
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(p.result(), TfrmAskToAssociate::No);
    EXPECT_EQ(f.fake.registry.values.value("HKCU|Software\\Zentavo\\Quillmap_3.1|neverAsk2Associate"), "YES");
    EXPECT_FALSE(f.registered());

    f.fake.registry.values.clear();
    p.show();
    p.close();  // the close box
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(p.result(), TfrmAskToAssociate::No);
    EXPECT_EQ(f.fake.registry.values.size(), 1);

    f.fake.registry.values.clear();
    p.show();
    QTest::keyClick(&p, Qt::Key_Return);  // the default button
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(p.result(), TfrmAskToAssociate::Yes);
    EXPECT_TRUE(f.registered());
    EXPECT_EQ(f.fake.registry.values.size(), 4);
}

// Enter presses the focused button; with the focus on Yes (as the prompt opens) it is Yes.
TEST(AskToAssociate, EnterPressesTheFocusedButton)
{
    PromptFixture f;
    auto& p = f.create();
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
    EXPECT_EQ(QApplication::focusWidget(), p.BitBtn1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), p.BitBtn2());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(p.result(), TfrmAskToAssociate::No);
    EXPECT_FALSE(f.registered());

    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
    p.BitBtn1()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(p.BitBtn1(), Qt::Key_Enter);
    EXPECT_EQ(p.result(), TfrmAskToAssociate::Yes);
    EXPECT_TRUE(f.registered());
}

TEST(AskToAssociate, RegistryWriteFailuresAreReportedAndThePromptStillCloses)
{
    PromptFixture f;
    auto& p = f.create();
    f.fake.registry.failWrites = true;
    p.chkNeverAsk()->setChecked(true);
    p.show();
    p.BitBtn1()->click();
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(p.result(), TfrmAskToAssociate::Yes);
    // One report for the registration (the rest of it skipped), one for the never-ask mark.
    const QStringList errors = f.fake.prompts.texts("error");
    ASSERT_EQ(errors.size(), 2);
    // No full stop is added after a closing apostrophe, which sorts before it.
    EXPECT_EQ(errors[0], "Failed to set data for ''");
    EXPECT_EQ(errors[1], "Failed to set data for 'neverAsk2Associate'");
    EXPECT_TRUE(f.fake.registry.values.isEmpty());
}

TEST(AskToAssociate, LanguageFileReplacesItsTextsAndCaption)
{
    PromptFixture f;
    QByteArray bytes;
    for (int i = 0; i < 81; ++i) {
        if (i == 26) bytes += "&Ja\r";
        else if (i == 28) bytes += "\n";  // an empty line is applied, not skipped
        else if (i == 44) bytes += "Produkt\r\n";
        else if (i == 45) bytes += "3.1\r\n";
        else bytes += "L" + QByteArray::number(i) + "\r\n";
    }
    f.writeLanguageFile(bytes);
    auto& p = f.create();
    EXPECT_TRUE(f.fake.prompts.shown.empty());
    EXPECT_EQ(p.Label1()->text(), "L24");
    EXPECT_EQ(p.Label2()->text(), "L25");
    EXPECT_EQ(p.BitBtn1()->text(), "&Ja");
    EXPECT_EQ(p.BitBtn2()->text(), "L27");
    EXPECT_EQ(p.chkNeverAsk()->text(), "");
    EXPECT_EQ(p.windowTitle(), "Produkt");
}

TEST(AskToAssociate, ShortLanguageFileStopsAtTheCaptionAndReportsIt)
{
    PromptFixture f;
    f.writeNumberedLanguageFile(30);
    auto& p = f.create();
    EXPECT_EQ(p.Label1()->text(), "L24");
    EXPECT_EQ(p.chkNeverAsk()->text(), "L28");
    EXPECT_EQ(p.windowTitle(), "Quillmap");
    const QStringList errors = f.fake.prompts.texts("error");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("List index out of bounds (44)")) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].endsWith("."));

    PromptFixture g;
    g.writeNumberedLanguageFile(46);
    auto& q = g.create();
    EXPECT_EQ(q.windowTitle(), "L44");
    EXPECT_TRUE(g.fake.prompts.shown.empty());
}

TEST(AskToAssociate, EmptyOrUnreadableLanguageFileKeepsTheDefaults)
{
    PromptFixture f;
    f.writeLanguageFile("");
    auto& p = f.create();
    EXPECT_EQ(p.Label1()->text(), "Quillmap  is not registered as a default program for .QMP files");
    ASSERT_EQ(f.fake.prompts.texts("error").size(), 1);
    EXPECT_TRUE(f.fake.prompts.texts("error")[0].contains("(24)"));

#ifndef _WIN32
    PromptFixture g;
    // Exists, but is no readable file (a folder would be no language file at all).
    ASSERT_EQ(::mkfifo(QFile::encodeName(g.folder.path() + "/Lang.ini").constData(), 0600), 0);
    auto& q = g.create();
    EXPECT_EQ(q.BitBtn1()->text(), "&Yes");
    EXPECT_EQ(q.windowTitle(), "Quillmap");
    ASSERT_EQ(g.fake.prompts.texts("error").size(), 1);
    EXPECT_TRUE(g.fake.prompts.texts("error")[0].contains("Lang.ini"));
#endif
}

TEST(AskToAssociate, GermanExampleTranslationApplies)
{
    PromptFixture f;
    QFile german(QString(QUILLMAP_SOURCE_DIR) + "/assets/lang/German/Lang.ini");
    ASSERT_TRUE(german.open(QIODevice::ReadOnly));
    f.writeLanguageFile(german.readAll());
    auto& p = f.create();
    EXPECT_TRUE(f.fake.prompts.shown.empty());
    EXPECT_EQ(p.BitBtn1()->text(), "&Ja");
    EXPECT_EQ(p.BitBtn2()->text(), "&Nein");
    EXPECT_EQ(p.chkNeverAsk()->text(), "Nicht mehr nachfragen.");
    EXPECT_EQ(p.windowTitle(), "Quillmap");
}
