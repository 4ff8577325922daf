#include <QScreen>
#include <QSettings>

#include "project/SiteFolders.h"
#include "shell/QtRegistry.h"
#include "shell/SettingsStore.h"
#include "shell/WindowPlacement.h"
#include "styles/TfrmColors.h"
#include "tests/gui/mainwin/MainWindowFixture.h"

namespace quillmap::test {
namespace {

using Placement = MainWindowTest;

TEST(PlacedOnScreen, KeepsAPlaceOnAScreenAndPullsBackWhatHangsOver)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 768)};
    struct Case {
        QRect remembered;
        std::optional<QRect> placed;
    } cases[] = {
        {{100, 80, 600, 500}, QRect(100, 80, 600, 500)},
        {{1400, 100, 600, 500}, QRect(1400, 100, 600, 500)},       // the second screen
        {{-300, 700, 600, 500}, QRect(0, 300, 600, 500)},          // hangs over the edges
        {{2200, 50, 600, 500}, QRect(1704, 50, 600, 500)},         // mostly on the second screen
        {{100, 80, 3000, 2000}, QRect(0, 0, 1280, 800)},           // larger than the screen
        {{5000, 5000, 600, 500}, std::nullopt},                    // a screen that is gone
        {{-900, 100, 600, 500}, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(placedOnScreen(c.remembered, screens), c.placed) << c.remembered.x();
}

TEST_F(Placement, MainWindowComesBackWhereAndAsLargeAsItWasLeft)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    {
        TForm1& w = window();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.setGeometry(area.left() + 20, area.top() + 30, 640, 500);
        w.close();
    }
    form.reset();
    TForm1& again = window();
    EXPECT_EQ(again.geometry(), QRect(area.left() + 20, area.top() + 30, 640, 500));
    again.show();
    EXPECT_EQ(again.Tree2->width(), 235 + 640 - 582);  // the layout follows the size

    // A place no screen shows any more: centred as on the first start.
    settingsStore().setValue("MainWindow/geometry", QRect(area.right() + 5000, 0, 640, 500));
    form.reset();
    EXPECT_EQ(window().frameGeometry().center(), area.center());

    // A place that filled the screen without its frame (a larger screen's): fitted, frame and all.
    settingsStore().setValue("MainWindow/geometry", area);
    form.reset();
    window().show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return area.contains(window().frameGeometry()); }, 2000));
}

// An older Quillmap kept the settings in Zentavo/Quillmap.conf, the registry store elsewhere.
TEST_F(Placement, SettingsOfTheOldPlaceAreFoundAfterTheMove)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the registry keeps its place";
#else
    const QString newFile = settingsFolder() + "/Quillmap.conf";
    QFile::remove(newFile);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect place(area.left() + 20, area.top() + 30, 640, 500);
    QString oldFile;
    {
        QSettings old(QSettings::NativeFormat, QSettings::UserScope, "Zentavo", "Quillmap");
        old.setValue("MainWindow/geometry", place);
        old.setValue("LinkCheck/siteFolders", QVariantMap{{"/p/site.qmp", "/p/site"}});
        oldFile = old.fileName();
    }
    ASSERT_TRUE(QFile::exists(oldFile));
    EXPECT_EQ(window().geometry(), place);
    EXPECT_EQ(rememberedSiteFolder("/p/site.qmp"), "/p/site");
    EXPECT_TRUE(QFile::exists(newFile));
    EXPECT_FALSE(QFile::exists(oldFile));
    EXPECT_EQ(QtRegistry().storeFile(), settingsFolder() + "/registry.ini");
    EXPECT_TRUE(settingsFolder().endsWith("/Quillmap"));
#endif
}

TEST_F(Placement, ColorsWindowOpensFirstWhereItWasLeftThenCentred)
{
    TForm1& w = window();
    w.show();
    w.btnColors->click();
    w.frmColors().move(40, 50);
    w.close();  // takes the Colors and Styles window with it
    EXPECT_FALSE(w.frmColors().isVisible());
    form.reset();

    TForm1& again = window();
    again.show();
    again.btnColors->click();
    EXPECT_EQ(again.frmColors().pos(), QPoint(40, 50));
    again.btnColors->click();  // every later press centres it over the main window
    const QRect main = again.frameGeometry();
    const QRect colors = again.frmColors().frameGeometry();
    EXPECT_EQ(colors.left(), main.left() + (main.width() - colors.width()) / 2);
}

}  // namespace
}  // namespace quillmap::test
