// Takes the README's picture of the main window: builds a small site tree through the window's
// own commands, then grabs the window from the display (run it under Xvfb, see
// scripts/screenshot).
#include <QApplication>
#include <QScreen>
#include <QTest>

#include "shell/ApplicationTitle.h"
#include "shell/QtPlatform.h"
#include "app/TForm1.h"
#include "tree/ItemCommands.h"

namespace {

class NoRegistry : public quillmap::Registry {
public:
    QString read(quillmap::RegistryRoot, const QString&, const QString&) override { return {}; }
    void write(quillmap::RegistryRoot, const QString&, const QString&, const QString&) override {}
};

void name(quillmap::TForm1& form, const char* caption, const char* link = "")
{
    form.txtCaption->setText(caption);
    form.txtURL->setText(link);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: %s OUTPUT.png", argv[0]);
        return 2;
    }
    quillmap::setApplicationTitle(QStringLiteral("Quillmap"));
    quillmap::QtPrompts prompts;
    quillmap::QtShell shell;
    NoRegistry registry;
    quillmap::QtBeeper beeper;
    quillmap::TForm1 form({prompts, shell, registry, beeper}, QCoreApplication::applicationDirPath() + "/../bin/", {});
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;

    form.btnAddFolder->click();
    name(form, "My Web Site", "index.html");
    form.btnAddDoc->click();
    name(form, "Welcome", "welcome.html");
    form.btnAddFolder->click();
    name(form, "Products");
    quillmap::Node* products = form.items().selectedNode();
    form.btnAddDoc->click();
    name(form, "Garden tools", "products/garden.html");
    form.btnAddDoc->click();
    name(form, "Kitchen", "products/kitchen.html");
    form.btnAddDoc->click();
    name(form, "Price list (new window)", "products/prices.html");
    form.boxTarget->setCurrentIndex(1);
    quillmap::Node* prices = form.items().selectedNode();
    form.items().selectNode(form.document().tree().root());
    form.btnAddFolder->click();
    name(form, "About us");
    form.boxOpenFolder->setCurrentIndex(1);
    form.btnAddDoc->click();
    name(form, "Our team", "about/team.html");
    form.btnAddDoc->click();
    name(form, "Contact", "about/contact.html");
    (void)products;
    form.items().selectNode(prices);
    form.Tree2->setFocus();

    QTest::qWait(300);
    const QPixmap shot = form.screen()->grabWindow(form.winId());
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
