#include <QApplication>

#include "shell/ApplicationTitle.h"
#include "text/LocalText.h"
#include "generator/OutFolder.h"
#include "shell/Pictures.h"
#include "shell/QtPlatform.h"
#include "app/TForm1.h"
#include "shell/QtRegistry.h"
#include "shell/TfrmAskToAssociate.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The application's name decides where the per-user registry store lives off Windows.
    QCoreApplication::setApplicationName(QStringLiteral("Quillmap"));
    quillmap::setApplicationTitle(QStringLiteral("Quillmap"));
    QApplication::setWindowIcon(quillmap::pictures::windowIcon());

    quillmap::QtPrompts prompts;
    quillmap::QtShell shell;
    quillmap::QtRegistry registry;
    quillmap::QtBeeper beeper;
    const quillmap::Platform platform{prompts, shell, registry, beeper};

#ifdef _WIN32
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
#else
    // File names exactly as the system gives their bytes, also when they are no valid UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << quillmap::fromFilePath(argv[i]);
#endif
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
