#include <QApplication>

#include "shell/ApplicationTitle.h"
#include "text/LocalText.h"
#include "generator/OutFolder.h"
#include "shell/Pictures.h"
#include "shell/QtPlatform.h"
#include "app/TForm1.h"
#include "shell/QtRegistry.h"
#include "shell/TfrmAskToAssociate.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#endif
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/StartOptions.h"

namespace {

// --help, --version and usage errors are answered before the toolkit starts, so they need no
// display. A window program on Windows writes them into the console it was started from.
std::optional<int> answerStartOptions(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef _WIN32
    bool option = false;
    for (const std::string& a : arguments) option = option || (a.size() > 1 && a[0] == '-');
    if (option && AttachConsole(ATTACH_PARENT_PROCESS)) {
        (void)!std::freopen("CONOUT$", "w", stdout);
        (void)!std::freopen("CONOUT$", "w", stderr);
    }
#endif
    std::string project;
    return quillmap::readStartOptions(arguments, project, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> status = answerStartOptions(argc, argv)) return *status;
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quillmap"));
    quillmap::setApplicationTitle(QStringLiteral("Quillmap"));
    QApplication::setWindowIcon(quillmap::pictures::windowIcon());

    quillmap::QtPrompts prompts;
    quillmap::QtShell shell;
    quillmap::QtRegistry registry;
    quillmap::QtBeeper beeper;
    const quillmap::Platform platform{prompts, shell, registry, beeper};

    // The project, if any: the one plain argument, "--" before it taken away.
#ifdef _WIN32
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
#else
    // File names exactly as the system gives their bytes, also when they are no valid UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << quillmap::fromFilePath(argv[i]);
#endif
    arguments.removeOne(QStringLiteral("--"));
    // The program's files: beside the executable, or in ../share/quillmap when it is installed.
    const QString appFolder =
        quillmap::fromFilePath(quillmap::programDataFolder(quillmap::toFilePath(QCoreApplication::applicationDirPath()))) +
        QLatin1Char('/');

    // The three windows, in this order; only the main window is shown.
    quillmap::TForm1 form1(platform, appFolder, arguments);
    form1.createColorsWindow();
    quillmap::TfrmAskToAssociate askToAssociate(platform, appFolder, QCoreApplication::applicationFilePath(),
                                                [&form1] { return form1.VersionText; });
    form1.frmAskToAssociate = &askToAssociate;

    form1.show();
    return app.exec();
}
