#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "shell/SettingsStore.h"

namespace {

// Every test starts with nothing remembered, in a settings store of the test run's own.
class ForgetSettings : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        quillmap::settingsStore().clear();
    }
};

}  // namespace

// GUI tests run without a display; every dialog goes through the test doubles.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    // Recovery copies go to a folder of the run's own, too, unless the run is about the user's
    // own data folder (the installed program's test).
    QTemporaryDir data;
    if (qEnvironmentVariableIsEmpty("QUILLMAP_TEST_USER_DATA")) qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetSettings);
    return RUN_ALL_TESTS();
}
