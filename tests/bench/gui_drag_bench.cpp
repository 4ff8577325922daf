// Main window: dropping a folder of many descendants onto another folder, through the drop
// handler, until the tree view has laid out and painted the result.
// Run by hand: build/bench/gui_drag_bench
#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

#include "app/TForm1.h"
#include "tree/ItemCommands.h"
#include "tests/gui/support/Doubles.h"

using namespace quillmap;

namespace {

// Root: "left" holding the moving folder, and "right". The moving folder holds `descendants`
// items, a tenth of them sub-folders with documents; every folder is expanded, so every row of
// the moving folder is shown before the drop.
struct Window {
    test::FakePlatform fake;
    TForm1 form;
    Node* left = nullptr;
    Node* right = nullptr;
    Node* moving = nullptr;

    explicit Window(int descendants)
        : form(fake.platform(), QCoreApplication::applicationDirPath() + "/", {})
    {
        auto tree = std::make_unique<ItemTree>();
        auto folder = [&tree](Node* parent, const char* caption) {
            return tree->append(parent, caption, ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
        };
        Node* root = folder(nullptr, "Root Folder");
        left = folder(root, "left");
        right = folder(root, "right");
        moving = folder(left, "moving");
        Node* sub = moving;
        for (int i = 0; i < descendants; ++i) {
            if (i % 10 == 0) {
                sub = folder(moving, "Folder");
                continue;
            }
            tree->append(sub, "Document " + std::to_string(i), DocumentImage,
                         std::make_unique<TMyRec>(TMyRec::documentDefaults()));
        }
        form.document().model().reset(std::move(tree));
        for (Node* node : form.document().tree().preorder())
            if (!node->isDocument()) form.Tree2->expand(form.document().model().indexOf(node));
        form.resize(800, 900);
        form.show();
        QCoreApplication::processEvents();
    }

    QPoint rowCentre(Node* node) { return form.Tree2->visualRect(form.document().model().indexOf(node)).center(); }

    // A drop onto a folder leaves the moved folder collapsed; open it all again, so that every
    // drop starts with all its rows shown.
    void expandMoving()
    {
        form.Tree2->expand(form.document().model().indexOf(moving));
        for (const auto& child : moving->children())
            if (!child->isDocument()) form.Tree2->expand(form.document().model().indexOf(child.get()));
    }
};

void BM_DropFolderOntoFolder(benchmark::State& state)
{
    Window w(static_cast<int>(state.range(0)));
    bool toRight = true;
    for (auto _ : state) {
        // Choosing the dragged item is part of the mouse press, not of the drop.
        state.PauseTiming();
        w.expandMoving();
        w.form.items().selectNode(w.moving);
        QCoreApplication::processEvents();
        const QPoint target = w.rowCentre(toRight ? w.right : w.left);
        state.ResumeTiming();

        w.form.items().Tree2DragDrop(target);
        QCoreApplication::processEvents();

        if (w.moving->parent() != (toRight ? w.right : w.left)) state.SkipWithError("the folder did not move");
        toRight = !toRight;
    }
    state.SetComplexityN(state.range(0));
}

// The same folder dropped onto a document: the same nodes move, and the view keeps every
// sub-folder expanded.
void BM_DropFolderBeforeDocument(benchmark::State& state)
{
    Window w(static_cast<int>(state.range(0)));
    Node* leftDoc = w.form.document().model().appendItem(w.left, "left doc", DocumentImage, std::make_unique<TMyRec>());
    Node* rightDoc = w.form.document().model().appendItem(w.right, "right doc", DocumentImage, std::make_unique<TMyRec>());
    QCoreApplication::processEvents();
    bool toRight = true;
    for (auto _ : state) {
        state.PauseTiming();
        w.form.items().selectNode(w.moving);
        QCoreApplication::processEvents();
        const QPoint target = w.rowCentre(toRight ? rightDoc : leftDoc);
        state.ResumeTiming();

        w.form.items().Tree2DragDrop(target);
        QCoreApplication::processEvents();

        if (w.moving->parent() != (toRight ? w.right : w.left)) state.SkipWithError("the folder did not move");
        toRight = !toRight;
    }
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_DropFolderOntoFolder)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_DropFolderBeforeDocument)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
