#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include "shell/TfrmAskToAssociate.h"
#include "styles/TfrmColors.h"
#include "tests/gui/mainwin/MainWindowFixture.h"
#include "tests/gui/support/LinuxOnly.h"

namespace quillmap::test {
namespace {

using Layout = MainWindowTest;

std::vector<std::pair<QWidget*, QPoint>> rightColumn(TForm1& w)
{
    std::vector<std::pair<QWidget*, QPoint>> column;
    for (QWidget* c : std::initializer_list<QWidget*>{w.btnAddFolder, w.btnAddDoc, w.btnRemove, w.GroupBox1, w.GroupBox2,
                                                      w.GroupBox3, w.btnBuild_Test, w.btnBuild, w.btnBrowseOUT,
                                                      w.panelHelp, w.btnMoreHelp})
        column.emplace_back(c, c->pos());
    return column;
}

// The minimum size is the whole window's, frame included.
TEST_F(Layout, NarrowingToTheMinimumShrinksOnlyTheTree)
{
    TForm1& w = window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QSize frame = w.frameGeometry().size() - w.size();
    const auto before = rightColumn(w);
    const QPoint captionInGroup = w.txtCaption->pos();
    const QSize groupSize = w.GroupBox1->size();

    w.resize(446 - frame.width(), 452);
    EXPECT_EQ(w.frameGeometry().width(), 446);
    const int dx = 582 - w.width();
    EXPECT_EQ(w.Tree2->geometry(), QRect(3, 8, 235 - dx, 441));
    for (const auto& [control, pos] : before)
        EXPECT_EQ(control->pos(), pos - QPoint(dx, 0)) << control->objectName().toStdString();
    EXPECT_EQ(w.txtCaption->pos(), captionInGroup);
    EXPECT_EQ(w.GroupBox1->size(), groupSize);

    // Help was clipped at the smallest height: now the help text gives way, Help stays whole.
    w.resize(300, 200);
    EXPECT_EQ(w.frameGeometry().size(), QSize(446, 390));
    EXPECT_LE(w.btnMoreHelp->geometry().bottom(), w.height() - 1);
    EXPECT_GT(w.btnMoreHelp->y(), w.btnBuild->geometry().bottom());
    EXPECT_FALSE(w.panelHelp->isVisibleTo(&w));
}

TEST_F(Layout, TallerWindowLengthensTheTreeAndTheHelpText)
{
    TForm1& w = window();
    w.show();
    const auto before = rightColumn(w);
    w.resize(582, 652);
    EXPECT_EQ(w.Tree2->geometry(), QRect(3, 8, 235, 641));
    for (const auto& [control, pos] : before) {
        if (control != w.btnMoreHelp) {
            EXPECT_EQ(control->pos(), pos) << control->objectName().toStdString();
        }
    }
    EXPECT_EQ(w.panelHelp->height(), 90 + 200);
    EXPECT_EQ(w.btnMoreHelp->pos(), QPoint(473, 422 + 200));

    w.resize(800, 652);
    EXPECT_EQ(w.Tree2->geometry(), QRect(3, 8, 453, 641));
    EXPECT_EQ(w.btnMoreHelp->pos(), QPoint(473 + 218, 422 + 200));
    EXPECT_EQ(w.btnMoreHelp->size(), QSize(104, 26));
}

TEST_F(Layout, TreeSettings)
{
    TForm1& w = window();
    EXPECT_FALSE(w.Tree2->rootIsDecorated());
    EXPECT_EQ(w.Tree2->indentation(), 19);
    EXPECT_EQ(w.Tree2->iconSize(), QSize(16, 22));
    EXPECT_FALSE(w.Tree2->isSortingEnabled());
    EXPECT_TRUE(w.Tree2->isHeaderHidden());
    EXPECT_TRUE(w.Tree2->editTriggers() & QAbstractItemView::SelectedClicked);
    EXPECT_TRUE(w.Tree2->editTriggers() & QAbstractItemView::EditKeyPressed);
    const QPalette p = w.Tree2->palette();
    EXPECT_EQ(p.color(QPalette::Inactive, QPalette::Highlight), p.color(QPalette::Active, QPalette::Highlight));
    buildSmallTree();
    w.show();
    EXPECT_EQ(w.Tree2->visualRect(w.document().model().indexOf(item(0))).height(), 22);
    // The root's children sit one indentation step to its right.
    const int rootX = w.Tree2->visualRect(w.document().model().indexOf(item(0))).x();
    const int childX = w.Tree2->visualRect(w.document().model().indexOf(item(1))).x();
    EXPECT_EQ(childX - rootX, 19);
}

}  // namespace
}  // namespace quillmap::test

namespace quillmap::test {
namespace {

QString shown(QString text) { return text.remove(QRegularExpression("&(?!&)")); }

// Where a label's text really is, by its alignment.
QRect textRect(const QLabel* label)
{
    const int width = label->fontMetrics().horizontalAdvance(label->text());
    const QRect box = label->geometry();
    const int left = label->alignment() & Qt::AlignRight ? box.right() + 1 - width
                     : label->alignment() & Qt::AlignHCenter ? box.center().x() - width / 2 : box.left();
    return {left, box.top(), width, box.height()};
}

// Every text that does not fit its control, or runs into a neighbour or across a group's frame.
QStringList misfits(QWidget* window)
{
    QStringList found;
    const auto report = [&](const QWidget* w, const QString& what) { found << w->objectName() + ": " + what; };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;
        const QFontMetrics fm = w->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->wordWrap()) {
                if (label->heightForWidth(label->width()) > label->height()) report(w, "wrapped text too tall");
            } else if (fm.horizontalAdvance(label->text()) > label->width()) {
                report(w, "text wider than the label");
            }
            const QRect text = textRect(label).adjusted(-2, 0, 2, 0);
            for (QWidget* other : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (other != label && other->isVisibleTo(window) && !qobject_cast<QLabel*>(other) &&
                    other->geometry().intersects(text))
                    report(w, "text touches " + other->objectName());
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            if (check->sizeHint().width() > check->width()) report(w, "text wider than the check box");
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            if (!button->text().isEmpty() && fm.horizontalAdvance(shown(button->text())) + icon + 8 > button->width())
                report(w, "text wider than the button");
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.rect = QRect(QPoint(), list->size());
            option.editable = list->isEditable();
            const int field =
                list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list).width();
            for (int i = 0; i < list->count(); ++i)
                if (fm.horizontalAdvance(list->itemText(i)) + 4 > field) report(w, "entry " + list->itemText(i) + " cut");
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.rect = QRect(QPoint(), group->size());
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
            const QRect frame = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, group);
            if (title.right() >= group->width()) report(w, "title wider than the group");
            for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!child->isVisibleTo(window)) continue;
                if (child->geometry().intersects(title)) report(child, "crosses the title of " + group->objectName());
                if (!frame.adjusted(5, 1, -5, -1).contains(child->geometry()))
                    report(child, "comes within 5 px of the frame of " + group->objectName());
            }
        }
    }
    return found;
}

class TextsFit : public MainWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(TextsFit, EveryTextFitsItsControlInEveryWindow)
{
    QUILLMAP_LINUX_ONLY("the texts are measured with the test display's fonts");
    if (std::string(GetParam()) == "German") {
        ASSERT_TRUE(QFile::copy(QUILLMAP_SOURCE_DIR "/assets/lang/German/Lang.ini", appFolder() + "Lang.ini"));
    }
    TForm1& w = window();
    w.show();
    buildSmallTree();  // the item lists are enabled
    w.boxOpenFolder->setEnabled(true);
    TfrmAskToAssociate prompt(fake.platform(), appFolder(), "/opt/quillmap", [] { return QString("2.0"); });
    EXPECT_EQ(misfits(&w), QStringList());
    EXPECT_EQ(misfits(&w.frmColors()), QStringList());
    EXPECT_EQ(misfits(&prompt), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Languages, TextsFit, ::testing::Values("English", "German"));

}  // namespace
}  // namespace quillmap::test
