// Saving and opening projects of 1,000 to 100,000 items: the file text alone, the whole save
// through the file system, and the whole read from the file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "project/ProjectData.h"
#include "project/RecoveryCopy.h"
#include "project/ProjectWriter.h"
#include "project/TreeExpansion.h"

using namespace quillmap;

namespace {

// A site-like tree: folders of ten documents, five folders per section, every third folder open.
void buildTree(ItemTree& tree, int items)
{
    Node* root = tree.append(nullptr, "Site", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
    int made = 1;
    Node* section = nullptr;
    Node* folder = nullptr;
    while (made < items) {
        if (made % 56 == 1) {
            section = tree.append(root, "Section " + std::to_string(made), ClosedFolderImage,
                                  std::make_unique<TMyRec>(TMyRec{"", "0", "1", ""}));
        } else if (made % 11 == 2 || !folder) {
            folder = tree.append(section, "Folder " + std::to_string(made), ClosedFolderImage,
                                 std::make_unique<TMyRec>(TMyRec{"", "0", made % 3 ? "0" : "1", ""}));
        } else {
            tree.append(folder, "Page " + std::to_string(made), DocumentImage,
                        std::make_unique<TMyRec>(TMyRec{"pages/page" + std::to_string(made) + ".html",
                                                        made % 7 ? "0" : "1", "-1",
                                                        made % 5 ? "" : "ftv2doc_1.gif"}));
        }
        ++made;
    }
}

std::string benchFile()
{
    return (std::filesystem::temp_directory_path() / "quillmap_project_bench.qmp").string();
}

void BM_ProjectText(benchmark::State& state)
{
    ItemTree tree;
    buildTree(tree, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(projectText(tree, ProjectOptions{}));
    state.SetComplexityN(state.range(0));
}

void BM_SaveProjectFile(benchmark::State& state)
{
    ItemTree tree;
    buildTree(tree, static_cast<int>(state.range(0)));
    const std::string path = benchFile();
    for (auto _ : state) saveProjectFile(path, tree, ProjectOptions{});
    std::remove(path.c_str());
    state.SetComplexityN(state.range(0));
}

void BM_ReadProjectFile(benchmark::State& state)
{
    ItemTree tree;
    buildTree(tree, static_cast<int>(state.range(0)));
    const std::string path = benchFile();
    saveProjectFile(path, tree, ProjectOptions{});
    for (auto _ : state) {
        ProjectData data;
        readProjectData(path, data);
        benchmark::DoNotOptimize(itemsToExpandAfterLoad(data.tree));
    }
    std::remove(path.c_str());
    state.SetComplexityN(state.range(0));
}

// The part of a recovery copy that runs off the window's thread: the copy's text and its safe save.
void BM_WriteRecoveryCopy(benchmark::State& state)
{
    ItemTree tree;
    buildTree(tree, static_cast<int>(state.range(0)));
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quillmap_recovery_bench";
    const RecoveredProject project{benchFile(), 0, projectText(tree, ProjectOptions{}), DiskStampValues{}};
    {
        RecoveryCopy copy(folder);
        for (auto _ : state) copy.write(project);
    }
    std::filesystem::remove_all(folder);
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_ProjectText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_SaveProjectFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ReadProjectFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK(BM_WriteRecoveryCopy)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK_MAIN();
