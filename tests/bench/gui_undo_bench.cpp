// Main window: one change made, undone and redone, in trees of 1,000 and 100,000 items. A step
// holds only what its change touched, so the times stay flat as the tree grows.
// Run by hand: build/bench/gui_undo_bench
#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

#include "app/TForm1.h"
#include "tree/ItemCommands.h"
#include "tests/gui/support/Doubles.h"
#include "undo/UndoStack.h"

using namespace quillmap;

namespace {

// The root holds folders of 999 documents each, every folder expanded; the last document is
// selected.
struct Window {
    test::FakePlatform fake;
    TForm1 form;

    explicit Window(int items) : form(fake.platform(), QCoreApplication::applicationDirPath() + "/", {})
    {
        auto tree = std::make_unique<ItemTree>();
        Node* root = tree->append(nullptr, "Root", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
        Node* folder = nullptr;
        for (int i = 1; i < items; ++i) {
            if ((i - 1) % 1000 == 0)
                folder = tree->append(root, "Folder", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
            else
                tree->append(folder, "Document", DocumentImage, std::make_unique<TMyRec>(TMyRec::documentDefaults()));
        }
        form.document().model().reset(std::move(tree));
        form.Tree2->expandAll();
        form.show();
        form.items().selectNode(form.document().tree().itemAt(items - 1));
        QCoreApplication::processEvents();
    }
};

void check(benchmark::State& state, const Window& w, std::size_t items)
{
    if (w.form.document().tree().size() != items) state.SkipWithError("the tree did not come back");
}

void captionTyped(benchmark::State& state)
{
    Window w(static_cast<int>(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        w.form.txtCaption->setText(QString("Word %1 ").arg(++i));
        w.form.document().undo();
        w.form.document().redo();
    }
}

void documentAdded(benchmark::State& state)
{
    Window w(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        w.form.btnAddDoc->click();
        w.form.document().undo();
        w.form.document().redo();
        w.form.document().undo();
    }
    check(state, w, static_cast<std::size_t>(state.range(0)));
}

void folderRemoved(benchmark::State& state)
{
    Window w(static_cast<int>(state.range(0)));
    Node* folder = w.form.document().tree().root()->child(0);
    for (auto _ : state) {
        w.form.items().selectNode(folder);
        w.form.items().btnRemoveClick();
        w.form.document().undo();
        w.form.document().redo();
        w.form.document().undo();
    }
    check(state, w, static_cast<std::size_t>(state.range(0)));
}

}  // namespace

BENCHMARK(captionTyped)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(documentAdded)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(folderRemoved)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
