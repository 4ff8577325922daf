// The build of a menu at 1,000, 10,000 and 100,000 items: the script lines alone, the menu
// without script alone, the whole build with every file written, and for comparison a build that
// writes the script menu's two files only, as builds did before the menu without script.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "generator/MenuBuild.h"
#include "generator/StaticMenu.h"

using namespace quillmap;

namespace {

// A site-like tree: folders of twenty documents, some nested, every seventh document with an
// icon and every fifth folder opened.
void buildSite(ItemTree& tree, int items)
{
    Node* root = tree.append(nullptr, "Site", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
    Node* section = root;
    for (int i = 1; i < items; ++i) {
        if (i % 21 == 1) {
            Node* parent = (i / 21) % 3 == 2 ? section : root;
            auto record = std::make_unique<TMyRec>(TMyRec{"", "0", (i / 21) % 5 == 0 ? "1" : "0", ""});
            section = tree.append(parent, "Section " + std::to_string(i), ClosedFolderImage, std::move(record));
        } else {
            auto record = std::make_unique<TMyRec>(
                TMyRec{"pages/page" + std::to_string(i) + ".html", i % 2 ? "0" : "1", "-1",
                       i % 7 == 0 ? "ftv2doc_" + std::to_string(i % 3 + 1) + ".gif" : ""});
            tree.append(section, "Page \"" + std::to_string(i) + "\"", DocumentImage, std::move(record));
        }
    }
}

void BM_ScriptLines(benchmark::State& state)
{
    ItemTree tree;
    buildSite(tree, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(BuildScriptLines(tree, GlobalOptions{}));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ScriptLines)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_StaticMenu(benchmark::State& state)
{
    ItemTree tree;
    buildSite(tree, static_cast<int>(state.range(0)));
    const Lines styleSheet = BuildStyleSheet(MenuLook{});
    for (auto _ : state) benchmark::DoNotOptimize(BuildStaticMenu(tree, GlobalOptions{}, styleSheet));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StaticMenu)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_BuildMenu(benchmark::State& state)
{
    ItemTree tree;
    buildSite(tree, static_cast<int>(state.range(0)));
    const auto out = std::filesystem::temp_directory_path() / "quillmap-bench-out";
    std::filesystem::create_directories(out);
    for (auto _ : state) BuildMenu(tree, GlobalOptions{}, MenuLook{}, out.string());
    std::filesystem::remove_all(out);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BuildMenu)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_BuildScriptMenuOnly(benchmark::State& state)
{
    ItemTree tree;
    buildSite(tree, static_cast<int>(state.range(0)));
    const auto out = std::filesystem::temp_directory_path() / "quillmap-bench-out";
    std::filesystem::create_directories(out);
    for (auto _ : state) {
        saveTextFile(JoinPath(out, ScriptFileName), joinLinesCrLf(BuildScriptLines(tree, GlobalOptions{})));
        saveTextFile(JoinPath(out, StyleSheetFileName), joinLinesCrLf(BuildStyleSheet(MenuLook{})));
    }
    std::filesystem::remove_all(out);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BuildScriptMenuOnly)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
