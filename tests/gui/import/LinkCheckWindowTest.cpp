// The window's link check: broken items marked until changed, a result row selecting its item,
// the site folder asked once per project file.
#include <QTemporaryDir>
#include <QTreeWidget>
#include <fstream>
#include <gtest/gtest.h>

#include "import/LinkCheckCommands.h"
#include "tests/gui/support/Doubles.h"
#include "tree/TreeModel.h"

namespace quillmap::test {

TEST(LinkCheckWindowTest, MarksBrokenItemsAndSelectsThemFromTheResults)
{
    QTemporaryDir site;
    std::ofstream((site.path() + "/page.html").toStdString()) << "<p>";
    TreeModel model;
    const auto add = [&](Node* parent, const char* caption, int image, const char* link) {
        return model.appendItem(parent, caption, image, std::make_unique<TMyRec>(TMyRec{link, "0", "-1", ""}));
    };
    Node* top = add(nullptr, "Site", ClosedFolderImage, "");
    Node* good = add(top, "Good", DocumentImage, "page.html");
    Node* bad = add(top, "Bad", DocumentImage, "missing.html");
    Node* sub = add(top, "Sub", ClosedFolderImage, "");
    Node* worse = add(sub, "Worse", DocumentImage, "gone/");
    FakePrompts prompts;
    prompts.folders = {site.path()};
    QWidget window;
    LinkCheckCommands commands(model, prompts, &window);
    std::vector<Node*> shown;
    QObject::connect(&commands, &LinkCheckCommands::showItem, [&](Node* node) { shown.push_back(node); });
    const QString project = site.path() + "/site.qmp";

    commands.checkLinks(project, nullptr);
    const auto mark = [&](Node* node) { return model.data(model.indexOf(node), Qt::ToolTipRole).toString(); };
    EXPECT_EQ(mark(good), "");
    EXPECT_EQ(mark(bad), "no such file");
    EXPECT_EQ(mark(worse), "no such file");
    EXPECT_TRUE(model.data(model.indexOf(bad), Qt::ForegroundRole).isValid());
    QTreeWidget* list = commands.frmLinkCheck->listResults;
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "Site / Sub / Worse");
    emit list->itemActivated(list->topLevelItem(1), 0);
    EXPECT_EQ(shown, std::vector<Node*>{worse});

    // A renamed item loses its mark; a removed one's row selects nothing.
    model.setCaption(bad, "Fixed");
    EXPECT_EQ(mark(bad), "");
    model.removeItem(worse);
    emit list->itemActivated(list->topLevelItem(1), 0);
    EXPECT_EQ(shown.size(), 1u);

    // The site folder is remembered for the project: a second check asks for none.
    commands.checkLinks(project, sub);
    EXPECT_EQ(prompts.texts("folder").size(), 1);
    EXPECT_EQ(list->topLevelItemCount(), 0);
}

}  // namespace quillmap::test
