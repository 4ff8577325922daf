// Opening, saving and renewing projects of 1,000 to 100,000 items in the shown main window.
// Opening and New are timed until the tree has been laid out and painted.
// Run by hand: build/bench/gui_project_bench
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/TForm1.h"
#include "project/ProjectFiles.h"
#include "project/ProjectWriter.h"
#include "tests/gui/support/Doubles.h"

using namespace quillmap;

namespace {

// A site-like tree: sections of five folders of ten pages; every section starts open, and every
// third folder (allOpen: every folder).
void buildTree(ItemTree& tree, int items, bool allOpen)
{
    Node* root = tree.append(nullptr, "Site", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
    Node* section = nullptr;
    Node* folder = nullptr;
    for (int made = 1; made < items; ++made) {
        if (made % 56 == 1) {
            section = tree.append(root, "Section " + std::to_string(made), ClosedFolderImage,
                                  std::make_unique<TMyRec>(TMyRec{"", "0", "1", ""}));
        } else if (made % 11 == 2 || !folder) {
            const bool open = allOpen || made % 3 == 0;
            folder = tree.append(section, "Folder " + std::to_string(made), ClosedFolderImage,
                                 std::make_unique<TMyRec>(TMyRec{"", "0", open ? "1" : "0", ""}));
        } else {
            tree.append(folder, "Page " + std::to_string(made), DocumentImage,
                        std::make_unique<TMyRec>(TMyRec{"pages/page" + std::to_string(made) + ".html",
                                                        made % 7 ? "0" : "1", "-1", made % 5 ? "" : "ftv2doc_1.gif"}));
        }
    }
}

struct Bench {
    QTemporaryDir folder;
    test::FakePlatform fake;
    TForm1 form;
    QString path;

    Bench(int items, bool allOpen) : form(fake.platform(), QCoreApplication::applicationDirPath() + "/", {})
    {
        form.createColorsWindow();
        form.show();
        QCoreApplication::processEvents();
        path = folder.path() + "/bench.qmp";
        ItemTree tree;
        buildTree(tree, items, allOpen);
        saveProjectFile(path.toLocal8Bit().toStdString(), tree, ProjectOptions{});
    }
};

void openProject(benchmark::State& state, bool allOpen)
{
    Bench b(static_cast<int>(state.range(0)), allOpen);
    for (auto _ : state) {
        b.form.projectFiles().OpenProject(b.path);
        QCoreApplication::processEvents();
    }
    if (b.form.document().tree().size() != static_cast<std::size_t>(state.range(0)) || !b.fake.prompts.shown.empty())
        state.SkipWithError("the project did not open");
    int shown = 0;
    for (Node* node : b.form.document().tree().preorder())
        if (b.form.Tree2->isExpanded(b.form.document().model().indexOf(node))) ++shown;
    state.counters["expanded"] = shown;
    state.SetComplexityN(state.range(0));
}

void saveProject(benchmark::State& state)
{
    Bench b(static_cast<int>(state.range(0)), false);
    b.form.projectFiles().OpenProject(b.path);
    QCoreApplication::processEvents();
    for (auto _ : state) b.form.projectFiles().SaveProject(b.form.document().ProjectFileName);
    if (!b.fake.prompts.shown.empty()) state.SkipWithError("the project was not saved");
    state.SetComplexityN(state.range(0));
}

// New on a freshly opened project: the whole tree goes, and a new Colors and Styles window comes.
void newProject(benchmark::State& state)
{
    Bench b(static_cast<int>(state.range(0)), true);
    for (auto _ : state) {
        state.PauseTiming();
        b.form.projectFiles().OpenProject(b.path);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        b.form.projectFiles().btnNewClick();
        QCoreApplication::processEvents();
    }
    if (!b.form.document().tree().empty()) state.SkipWithError("the tree was not emptied");
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK_CAPTURE(openProject, third_of_folders_open, false)
    ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_CAPTURE(openProject, all_folders_open, true)
    ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(newProject)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(saveProject)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();
