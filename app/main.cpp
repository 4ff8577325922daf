#include <QApplication>
#include <QMap>

#include "app/ApplicationTitle.h"
#include "app/Pictures.h"
#include "app/QtPlatform.h"
#include "app/TForm1.h"

namespace {

// Stand-in for the registry layer until the shell subsystem's real one is part of the program:
// keeps values for this run only. Replace it with the QSettings-based registry.
class TemporaryRegistry : public quillmap::Registry {
public:
    QString read(quillmap::RegistryRoot root, const QString& key, const QString& name) override
    {
        return values_.value(slot(root, key, name));
    }
    void write(quillmap::RegistryRoot root, const QString& key, const QString& name, const QString& value) override
    {
        values_[slot(root, key, name)] = value;
    }

private:
    static QString slot(quillmap::RegistryRoot root, const QString& key, const QString& name)
    {
        return QString::number(static_cast<int>(root)) + QLatin1Char('|') + key + QLatin1Char('|') + name;
    }
    QMap<QString, QString> values_;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    quillmap::setApplicationTitle(QStringLiteral("Quillmap"));
    QApplication::setWindowIcon(quillmap::pictures::windowIcon());

    quillmap::QtPrompts prompts;
    quillmap::QtShell shell;
    TemporaryRegistry registry;
    quillmap::QtBeeper beeper;
    const quillmap::Platform platform{prompts, shell, registry, beeper};

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    quillmap::TForm1 form1(platform, QCoreApplication::applicationDirPath() + QLatin1Char('/'), arguments);
    // The Colors and Styles window, then the association prompt, are created here, in that order.

    form1.show();
    return app.exec();
}
