// Drops performed through the main window's drop handler at the rows of Tree2.
#include <QMimeData>
#include <map>

#include "tests/gui/mainwin/MainWindowFixture.h"

namespace quillmap::test {
namespace {

// Root
//   A: a1, a2, Asub: s1
//   B: b1
//   d1, d2
// Every folder expanded, d2 selected, the project saved.
class Drops : public MainWindowTest {
public:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        TForm1& w = window();
        root = folder(nullptr, "Root");
        A = folder(root, "A");
        a1 = doc(A, "a1");
        a2 = doc(A, "a2");
        Asub = folder(A, "Asub");
        s1 = doc(Asub, "s1");
        B = folder(root, "B");
        b1 = doc(B, "b1");
        d1 = doc(root, "d1");
        d2 = doc(root, "d2");
        w.resize(582, 700);
        w.show();
        for (Node* n : w.document().tree().preorder())
            if (!n->isDocument()) w.Tree2->expand(w.document().model().indexOf(n));
        for (Node* n : w.document().tree().preorder()) records[n] = n->record();
        w.items().selectNode(d2);
        w.SetSaved(true);
        QCoreApplication::processEvents();
    }

    Node* folder(Node* parent, const std::string& caption)
    {
        return window().document().model().appendItem(parent, caption, ClosedFolderImage,
                                           std::make_unique<TMyRec>(TMyRec::folderDefaults()));
    }
    Node* doc(Node* parent, const std::string& caption)
    {
        auto record = std::make_unique<TMyRec>(TMyRec::documentDefaults());
        record->URL = caption + ".html";
        return window().document().model().appendItem(parent, caption, DocumentImage, std::move(record));
    }

    QPoint centreOf(Node* node) { return window().Tree2->visualRect(window().document().model().indexOf(node)).center(); }

    // Drags the item as the mouse would: pressing on it selects it.
    void drop(Node* dragged, Node* target)
    {
        window().items().selectNode(dragged);
        window().items().Tree2DragDrop(centreOf(target));
        settle();
    }

    // Captions in absolute-index order, each preceded by one dot per level.
    std::string outline()
    {
        std::string text;
        window().document().tree().forEach([&text](Node* n, int level) { text += std::string(level, '.') + n->caption + " "; });
        return text;
    }

    bool expanded(Node* node) { return window().Tree2->isExpanded(window().document().model().indexOf(node)); }

    void expectRefused(const QString& message)
    {
        EXPECT_EQ(fake.beeper.beeps, 1);
        EXPECT_EQ(fake.prompts.texts("message"), QStringList{message});
        EXPECT_EQ(outline(), Unchanged);
        EXPECT_TRUE(window().document().Saved);
    }

    // Every item keeps the record it had before the drop.
    void expectSameRecords()
    {
        ASSERT_EQ(window().document().tree().size(), records.size());
        for (Node* n : window().document().tree().preorder()) EXPECT_EQ(n->record(), records.at(n)) << n->caption;
    }

    static constexpr const char* Unchanged = "Root .A ..a1 ..a2 ..Asub ...s1 .B ..b1 .d1 .d2 ";
    Node *root, *A, *a1, *a2, *Asub, *s1, *B, *b1, *d1, *d2;
    std::map<Node*, TMyRec*> records;
};

TEST_F(Drops, RefusalsBeepShowTheirMessageAndChangeNothing)
{
    struct Case {
        const char* name;
        Node* Drops::*dragged;
        Node* Drops::*target;
        QString message;
    };
    const QString same = "Destination node is the same as the source node";
    const Case cases[] = {
        {"folder onto itself", &Drops::A, &Drops::A, same},
        {"root onto itself (same place is tested first)", &Drops::root, &Drops::root, same},
        {"document onto its own folder", &Drops::b1, &Drops::B, same},
        {"folder onto its own parent", &Drops::Asub, &Drops::A, same},
        {"root onto another folder", &Drops::root, &Drops::B, "Can't drag/drop the root"},
        {"folder onto its own sub-folder", &Drops::A, &Drops::Asub, "Can't drop parent onto child"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.beeper.beeps = 0;
        fake.prompts.clear();
        TForm1& w = window();
        drop(this->*c.dragged, this->*c.target);
        expectRefused(c.message);
        EXPECT_EQ(w.items().selectedNode(), this->*c.dragged);
    }
}

TEST_F(Drops, RefusalTextsComeFromTheMessageTexts)
{
    window().messages.byNumber(9) = "Nicht in sich selbst";
    drop(A, Asub);
    expectRefused("Nicht in sich selbst");
}

TEST_F(Drops, NothingUnderThePointIsIgnoredSilently)
{
    TForm1& w = window();
    const QPoint belowLastRow(20, w.Tree2->viewport()->height() - 3);
    ASSERT_FALSE(w.Tree2->indexAt(belowLastRow).isValid());
    w.items().selectNode(A);
    w.txtCaption->setText("edited by hand");  // the panel is not reloaded by an ignored drop
    w.SetSaved(true);
    w.items().Tree2DragDrop(belowLastRow);
    EXPECT_EQ(outline(), "Root .edited by hand ..a1 ..a2 ..Asub ...s1 .B ..b1 .d1 .d2 ");
    EXPECT_EQ(fake.beeper.beeps, 0);
    EXPECT_TRUE(fake.prompts.shown.empty());
    EXPECT_TRUE(w.document().Saved);
}

TEST_F(Drops, OntoADocumentTheSameNodesMoveBeforeIt)
{
    TForm1& w = window();
    drop(A, d2);  // a folder with its subtree, keeping its expanded sub-folder
    EXPECT_EQ(outline(), "Root .B ..b1 .d1 .A ..a1 ..a2 ..Asub ...s1 .d2 ");
    EXPECT_EQ(w.items().selectedNode(), A);
    EXPECT_TRUE(w.Tree2->selectionModel()->isSelected(w.document().model().indexOf(A)));
    EXPECT_TRUE(expanded(A));
    EXPECT_TRUE(expanded(Asub));
    EXPECT_EQ(w.Tree2->indexAt(centreOf(s1)), w.document().model().indexOf(s1));
    EXPECT_FALSE(w.document().Saved);
    EXPECT_EQ(w.txtCaption->text(), "A");
    EXPECT_EQ(fake.beeper.beeps, 0);
    EXPECT_TRUE(fake.prompts.shown.empty());
    expectSameRecords();

    drop(s1, b1);  // into another folder, before its only document
    EXPECT_EQ(outline(), "Root .B ..s1 ..b1 .d1 .A ..a1 ..a2 ..Asub .d2 ");
    EXPECT_EQ(w.items().selectedNode(), s1);
    EXPECT_EQ(w.txtURL->text(), "s1.html");
    expectSameRecords();
}

TEST_F(Drops, OntoTheNeighbouringDocuments)
{
    TForm1& w = window();
    w.SetSaved(true);
    drop(d1, d2);  // the document right after: nothing moves
    EXPECT_EQ(outline(), Unchanged);
    EXPECT_TRUE(w.document().Saved);
    drop(d2, d1);  // the document right before: one place up
    EXPECT_EQ(outline(), "Root .A ..a1 ..a2 ..Asub ...s1 .B ..b1 .d2 .d1 ");
    EXPECT_EQ(w.items().selectedNode(), d2);
    drop(a2, a1);
    EXPECT_EQ(outline(), "Root .A ..a2 ..a1 ..Asub ...s1 .B ..b1 .d2 .d1 ");
    expectSameRecords();
}

TEST_F(Drops, OntoADocumentInsideTheDraggedSubtreeChangesNothing)
{
    TForm1& w = window();
    for (auto [dragged, target] : {std::pair{A, s1}, std::pair{root, d1}, std::pair{d2, d2}}) {
        w.SetSaved(true);
        drop(dragged, target);
        EXPECT_EQ(outline(), Unchanged) << target->caption;
        EXPECT_TRUE(w.document().Saved) << target->caption;
        EXPECT_EQ(w.items().selectedNode(), dragged);
        EXPECT_EQ(w.txtCaption->text(), QString::fromStdString(dragged->caption));
    }
    EXPECT_EQ(fake.beeper.beeps, 0);
    EXPECT_TRUE(fake.prompts.shown.empty());
}

TEST_F(Drops, FolderOntoFolderArrivesLastCollapsedWithTheSameRecords)
{
    TForm1& w = window();
    w.Tree2->collapse(w.document().model().indexOf(B));
    ASSERT_FALSE(expanded(B));
    drop(A, B);
    EXPECT_EQ(outline(), "Root .B ..b1 ..A ...a1 ...a2 ...Asub ....s1 .d1 .d2 ");
    EXPECT_TRUE(expanded(B));  // one level only
    EXPECT_EQ(B->imageIndex, OpenFolderImage);
    EXPECT_FALSE(expanded(A));
    EXPECT_FALSE(expanded(Asub));
    // Kinds and pictures travel with the items.
    EXPECT_EQ(A->imageIndex, OpenFolderImage);
    EXPECT_EQ(a1->imageIndex, DocumentImage);
    EXPECT_EQ(Asub->selectedImageIndex, OpenFolderImage);
    expectSameRecords();
    EXPECT_FALSE(w.document().Saved);
    EXPECT_EQ(fake.beeper.beeps, 0);
    EXPECT_TRUE(fake.prompts.shown.empty());

    // The moved item stays selected, and the panel shows it (once the item before it).
    EXPECT_EQ(w.items().selectedNode(), A);
    EXPECT_TRUE(w.Tree2->selectionModel()->isSelected(w.document().model().indexOf(A)));
    EXPECT_EQ(w.txtCaption->text(), "A");

    // The moved rows are real rows of the view: the folder can be opened and its items hit.
    w.Tree2->expand(w.document().model().indexOf(A));
    EXPECT_EQ(w.Tree2->indexAt(centreOf(a2)), w.document().model().indexOf(a2));
}

TEST_F(Drops, DocumentOntoACollapsedFolderBecomesItsLastChild)
{
    TForm1& w = window();
    w.Tree2->collapse(w.document().model().indexOf(A));
    drop(d1, A);
    EXPECT_EQ(outline(), "Root .A ..a1 ..a2 ..Asub ...s1 ..d1 .B ..b1 .d2 ");
    EXPECT_TRUE(expanded(A));
    EXPECT_TRUE(expanded(Asub));  // the target's own sub-folders keep their state
    EXPECT_EQ(w.document().tree().absoluteIndex(d1), 6);
    expectSameRecords();
    EXPECT_EQ(w.items().selectedNode(), d1);
    EXPECT_EQ(w.txtCaption->text(), "d1");
}

TEST_F(Drops, WithNothingSelectedNothingIsDragged)
{
    TForm1& w = window();
    w.Tree2->selectionModel()->clear();
    w.items().Tree2DragDrop(centreOf(B));
    EXPECT_EQ(outline(), Unchanged);
    EXPECT_EQ(fake.beeper.beeps, 0);
    EXPECT_TRUE(w.document().Saved);
}

TEST_F(Drops, TheViewAcceptsNoDropFromOutside)
{
    TForm1& w = window();
    w.items().selectNode(d1);
    QMimeData data;
    data.setData(TreeModel::DragFormat, "selected item");
    data.setText("from another program");
    const QPoint at = centreOf(A);
    QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(w.Tree2->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent dropEvent(at, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(w.Tree2->viewport(), &dropEvent);
    EXPECT_FALSE(dropEvent.isAccepted());
    settle();
    EXPECT_EQ(outline(), Unchanged);
    EXPECT_TRUE(w.document().Saved);
}

TEST_F(Drops, ModelNeverMovesItemsByItself)
{
    TForm1& w = window();
    QMimeData* data = w.document().model().mimeData({w.document().model().indexOf(d1)});
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(TreeModel::DragFormat));
    EXPECT_TRUE(w.document().model().canDropMimeData(data, Qt::MoveAction, -1, -1, w.document().model().indexOf(A)));
    EXPECT_FALSE(w.document().model().dropMimeData(data, Qt::MoveAction, -1, -1, w.document().model().indexOf(A)));
    delete data;
    QMimeData text;
    text.setText("plain text");
    EXPECT_FALSE(w.document().model().canDropMimeData(&text, Qt::CopyAction, -1, -1, w.document().model().indexOf(A)));
    EXPECT_EQ(outline(), Unchanged);
}

}  // namespace
}  // namespace quillmap::test
