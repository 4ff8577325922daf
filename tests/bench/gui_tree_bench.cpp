// Main window with a 100,000-item tree: adding an item and loading the Properties panel.
// Run by hand: build/bench/gui_tree_bench
#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

#include "app/TForm1.h"
#include "tree/ItemCommands.h"
#include "tree/PropertiesPanel.h"
#include "tests/gui/support/Doubles.h"

using namespace quillmap;

namespace {

constexpr int Items = 100000;

// "wide": the root holds every other item as a document, all of them visible.
// "nested": the root holds 100 folders of 999 documents each, all folders expanded.
std::unique_ptr<ItemTree> makeTree(bool wide)
{
    auto tree = std::make_unique<ItemTree>();
    Node* root = tree->append(nullptr, "Root Folder", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
    const int folders = wide ? 0 : 100;
    Node* parent = root;
    for (int i = 1; i < Items; ++i) {
        if (folders && (i - 1) % 1000 == 0) {
            parent = tree->append(root, "Folder", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
            continue;
        }
        tree->append(parent, "Document " + std::to_string(i), DocumentImage,
                     std::make_unique<TMyRec>(TMyRec::documentDefaults()));
    }
    return tree;
}

struct Window {
    test::FakePlatform fake;
    TForm1 form;
    // allOpen: every folder expanded, so all 100,000 rows are laid out; otherwise only the root,
    // and the last folder through selecting its last document.
    explicit Window(bool wide, bool allOpen = true) : form(fake.platform(), QCoreApplication::applicationDirPath() + "/", {})
    {
        form.document().model().reset(makeTree(wide));
        for (Node* node : form.document().tree().preorder())
            if (!node->isDocument() && (allOpen || node == form.document().tree().root()))
                form.Tree2->expand(form.document().model().indexOf(node));
        form.show();
        QCoreApplication::processEvents();
    }
};

void addDocument(benchmark::State& state, bool wide, bool untilPainted, bool allOpen = true)
{
    Window w(wide, allOpen);
    Node* last = w.form.document().tree().itemAt(Items - 1);
    w.form.items().selectNode(last);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        w.form.btnAddDoc->click();
        if (untilPainted) QCoreApplication::processEvents();
    }
    state.counters["items"] = static_cast<double>(w.form.document().tree().size());
}

void showItemProperties(benchmark::State& state, bool wide)
{
    Window w(wide);
    for (auto _ : state) w.form.properties().ShowItemProperties(Items - 1);
    if (w.form.txtCaption->text() != QString("Document %1").arg(Items - 1)) state.SkipWithError("wrong item shown");
}

void selectByKeyboard(benchmark::State& state, bool wide)
{
    Window w(wide);
    w.form.items().selectNode(w.form.document().tree().itemAt(Items / 2));
    bool down = true;
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, down ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
        QCoreApplication::sendEvent(w.form.Tree2, &key);
        down = !down;
    }
}

}  // namespace

BENCHMARK_CAPTURE(addDocument, wide, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(addDocument, nested, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(addDocument, wide_until_painted, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(addDocument, nested_until_painted, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(addDocument, nested_folders_closed_until_painted, false, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(showItemProperties, wide, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(showItemProperties, nested, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(selectByKeyboard, wide, true)->Unit(benchmark::kMillisecond);
