#pragma once
// A shown, active main window with a small saved project:
//   Root
//     A: a1, a2
//     d1
// every folder expanded, a1 selected.
#include <QComboBox>
#include <QLineEdit>

#include "project/ProjectWriter.h"
#include "styles/TfrmColors.h"
#include "tests/gui/mainwin/MainWindowFixture.h"
#include "undo/UndoStack.h"

namespace quillmap::test {

class EditorTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        TForm1& w = window();
        root = add(nullptr, "Root", ClosedFolderImage);
        A = add(root, "A", ClosedFolderImage);
        a1 = add(A, "a1", DocumentImage);
        a2 = add(A, "a2", DocumentImage);
        d1 = add(root, "d1", DocumentImage);
        w.resize(582, 600);
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        w.Tree2->expandAll();
        w.items().selectNode(a1);
        w.SetSaved(true);
        settle();
    }

    Node* add(Node* parent, const std::string& caption, int image)
    {
        auto record = std::make_unique<TMyRec>(image == DocumentImage ? TMyRec::documentDefaults()
                                                                       : TMyRec::folderDefaults());
        record->URL = caption + ".htm";
        return window().document().model().appendItem(parent, caption, image, std::move(record));
    }

    // Everything a save would write: items, records, options, colours and styles.
    std::string project()
    {
        TForm1& w = window();
        ProjectOptions options;
        options.targetFrame = w.txtTFRAME->text().toStdString();
        options.useTextLinks = w.chkUSETEXTLINKS->isChecked();
        options.autoClose = w.chkAutoClose->isChecked();
        options.look = w.frmColors().look();
        return projectText(w.document().tree(), options);
    }

    QPoint centreOf(Node* node) { return window().Tree2->visualRect(window().document().model().indexOf(node)).center(); }

    // A key pressed where the keyboard focus is, as the user would.
    void press(QKeySequence key)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window();
        QTest::keySequence(target, key);
        settle();
    }

    static QKeySequence undoKey() { return QKeySequence(Qt::CTRL | Qt::Key_Z); }

    Node* root = nullptr;
    Node* A = nullptr;
    Node* a1 = nullptr;
    Node* a2 = nullptr;
    Node* d1 = nullptr;
};

}  // namespace quillmap::test
