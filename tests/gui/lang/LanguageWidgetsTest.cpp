#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "lang/LanguageWidgets.h"
#include "tests/gui/support/Doubles.h"

using namespace quillmap;
using quillmap::test::FakePrompts;

namespace {

// A file of n lines whose line i reads "L<i>", with a help line that breaks twice.
LanguageFile numberedFile(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i) text += (i == 21 ? std::string("one\\ntwo\\Nthree") : "L" + std::to_string(i)) + "\r\n";
    return LanguageFile::fromBytes(text);
}

// Stand-ins with the main window's control names and kinds.
struct MainWindowControls {
    QWidget window;
    QMap<QString, QObject*> controls;
    std::vector<std::tuple<MainText, int, std::string>> fields;

    template <class T, class Parent = QWidget>
    T* add(const QString& name, Parent* parent = nullptr)
    {
        T* control = new T(parent ? parent : &window);
        control->setObjectName(name);
        controls[name] = control;
        return control;
    }
    MainWindowControls()
    {
        for (auto name : {"btnAddFolder", "btnAddDoc", "btnRemove", "btnColors", "btnNew", "btnOPEN", "btnSAVE",
                          "btnBuild_Test", "btnBuild", "btnBrowseOUT", "btnMoreHelp"})
            add<QPushButton>(name);
        auto* properties = add<QGroupBox>("GroupBox1");
        auto* global = add<QGroupBox>("GroupBox2");
        add<QGroupBox>("GroupBox3");
        for (auto name : {"lblCaption", "lblLink", "lblLinkTarget", "lblInitialState", "lblImage"})
            add<QLabel>(name, properties);
        add<QLabel>("lblTFRAME", global);
        add<QCheckBox>("chkUSETEXTLINKS", global);
        add<QComboBox>("boxTarget", properties)->addItems({"main_frame", "_blank (new window)"});
        add<QComboBox>("boxOpenFolder", properties)->addItems({"Closed", "Opened"});
        add<QPlainTextEdit>("Memo1");
        add<QAction>("mnuSave");
        add<QAction>("mnuSaveAs");
    }
    void apply(const LanguageFile& file)
    {
        applyMainWindowTexts(&window, file, [this](MainText t, int entry, const std::string& text) {
            fields.emplace_back(t, entry, text);
        });
    }
    QString text(const QString& name) const
    {
        QObject* c = controls[name];
        if (auto* b = qobject_cast<QAbstractButton*>(c)) return b->text();
        if (auto* l = qobject_cast<QLabel*>(c)) return l->text();
        if (auto* g = qobject_cast<QGroupBox*>(c)) return g->title();
        if (auto* a = qobject_cast<QAction*>(c)) return a->text();
        if (auto* m = qobject_cast<QPlainTextEdit*>(c)) return m->toPlainText();
        return "?";
    }
    QString hint(const QString& name) const { return qobject_cast<QWidget*>(controls[name])->toolTip(); }
    QComboBox* list(const QString& name) const { return qobject_cast<QComboBox*>(controls[name]); }
};

}  // namespace

TEST(LanguageWidgets, CompleteFileReachesEveryMainWindowControlAndField)
{
    MainWindowControls m;
    m.apply(numberedFile(81));
    EXPECT_EQ(m.text("btnAddFolder"), "L7");
    EXPECT_EQ(m.text("btnRemove"), "L9");
    EXPECT_EQ(m.text("GroupBox1"), "L10");
    EXPECT_EQ(m.text("lblTFRAME"), "L11");
    EXPECT_EQ(m.text("chkUSETEXTLINKS"), "L12");
    EXPECT_EQ(m.hint("btnColors"), "L13");
    EXPECT_EQ(m.text("GroupBox3"), "L14");
    EXPECT_EQ(m.text("btnNew"), "L15");
    EXPECT_EQ(m.hint("btnOPEN"), "L16");
    EXPECT_EQ(m.hint("btnSAVE"), "L17");
    EXPECT_EQ(m.text("btnBrowseOUT"), "L20");
    EXPECT_EQ(m.text("Memo1"), "one\ntwo\nthree");
    EXPECT_EQ(m.text("btnMoreHelp"), "L22");
    EXPECT_EQ(m.text("lblLinkTarget"), "L51");
    EXPECT_EQ(m.list("boxTarget")->itemText(0), "L52");
    EXPECT_EQ(m.list("boxTarget")->itemText(1), "L53");
    EXPECT_EQ(m.list("boxTarget")->count(), 2);
    EXPECT_EQ(m.list("boxOpenFolder")->itemText(1), "L56");
    EXPECT_EQ(m.text("lblImage"), "L57");
    EXPECT_EQ(m.text("lblCaption"), "L75");
    EXPECT_EQ(m.text("lblLink"), "L76");
    EXPECT_EQ(m.text("GroupBox2"), "L77");
    EXPECT_EQ(m.text("mnuSave"), "L79");
    EXPECT_EQ(m.text("mnuSaveAs"), "L80");

    ASSERT_EQ(m.fields.size(), 2u + 17u);
    EXPECT_EQ(m.fields[0], std::make_tuple(MainText::VersionText, 0, std::string("L45")));
    EXPECT_EQ(m.fields[1], std::make_tuple(MainText::TitleText, 0, std::string("L44 L45")));
    EXPECT_EQ(m.fields[2], std::make_tuple(MainText::Message, 1, std::string("L47")));
    EXPECT_EQ(m.fields[8], std::make_tuple(MainText::Message, 7, std::string("L63")));
    EXPECT_EQ(m.fields.back(), std::make_tuple(MainText::Message, 17, std::string("L73")));
}

TEST(LanguageWidgets, ShortFileStopsTheMainWindowAndIsReportedWithTheIndex)
{
    QTemporaryDir dir;
    const QString appFolder = dir.path() + "/";
    {
        QFile f(appFolder + "Lang.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 30; ++i) f.write("L" + QByteArray::number(i) + "\n");
    }
    ASSERT_TRUE(LanguageFilePresent(appFolder));
    MainWindowControls m;
    FakePrompts prompts;
    ApplyLanguageFile(prompts, appFolder, [&](const LanguageFile& file) { m.apply(file); });
    EXPECT_EQ(m.text("btnMoreHelp"), "L22");
    EXPECT_EQ(m.list("boxTarget")->itemText(0), "main_frame");
    EXPECT_TRUE(m.fields.empty());  // stopped at line 45: version and title untouched
    ASSERT_EQ(prompts.texts("error").size(), 1);
    EXPECT_TRUE(prompts.texts("error")[0].startsWith("List index out of bounds (45)"));

    EXPECT_FALSE(LanguageFilePresent(appFolder + "missing/"));
}

TEST(LanguageWidgets, ColorsWindowStyleEntriesChangeTogetherAndKeepTheirCount)
{
    QWidget window;
    window.setWindowTitle("Colors and Styles");
    for (auto name : {"Label1", "Label2", "lblBackground", "lblText", "lblLink", "lblVLink", "lblActivatedLink", "lblNote"})
        (new QLabel(&window))->setObjectName(name);
    for (auto name : {"boxLinkStyle", "boxVisitedLinkStyle", "boxActivatedLinkStyle"}) {
        auto* box = new QComboBox(&window);
        box->setObjectName(name);
        box->addItems({"none", "underline", "overline", "line-through"});
        box->setCurrentIndex(2);
    }
    applyColorsWindowTexts(&window, numberedFile(81));
    EXPECT_EQ(window.windowTitle(), "L42");
    EXPECT_EQ(window.findChild<QLabel*>("lblNote")->text(), "L41");
    EXPECT_EQ(window.findChild<QLabel*>("lblActivatedLink")->text(), "L36");
    for (auto name : {"boxLinkStyle", "boxVisitedLinkStyle", "boxActivatedLinkStyle"}) {
        auto* box = window.findChild<QComboBox*>(name);
        EXPECT_EQ(box->count(), 4);
        EXPECT_EQ(box->itemText(0), "L37");
        EXPECT_EQ(box->itemText(3), "L40");
        EXPECT_EQ(box->currentIndex(), 2);  // the choice, which the stylesheet uses, stays
    }
}

TEST(LanguageWidgets, ControlMissingFromTheWindowIsAnError)
{
    QWidget window;
    EXPECT_THROW(applyPromptTexts(&window, numberedFile(81)), Error);
    auto* box = new QComboBox(&window);
    box->addItem("only");
    EXPECT_THROW(setListEntry(box, 1, "x"), Error);
    EXPECT_EQ(box->count(), 1);
}
