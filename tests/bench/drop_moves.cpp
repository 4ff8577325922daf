// Moving a whole folder by drag and drop: decision plus detach and insert, back and forth between
// two folders, for folders of 1k, 10k and 100k descendants (half of them in sub-folders).
#include <benchmark/benchmark.h>

#include "tree/DropRules.h"

using namespace quillmap;

namespace {

void fill(ItemTree& tree, Node* folder, int descendants)
{
    Node* sub = nullptr;
    for (int i = 0; i < descendants; ++i) {
        if (i % 10 == 0) {
            sub = tree.append(folder, "sub", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
            continue;
        }
        Node* parent = i % 2 ? sub : folder;
        tree.append(parent, "doc", DocumentImage, std::make_unique<TMyRec>(TMyRec::documentDefaults()));
    }
}

void BM_MoveFolderOntoFolder(benchmark::State& state)
{
    ItemTree tree;
    Node* root = tree.append(nullptr, "root", ClosedFolderImage);
    Node* left = tree.append(root, "left", ClosedFolderImage);
    Node* right = tree.append(root, "right", ClosedFolderImage);
    Node* moving = tree.append(left, "moving", ClosedFolderImage);
    fill(tree, moving, static_cast<int>(state.range(0)));
    bool toRight = true;
    for (auto _ : state) {
        const DropDecision d = decideDrop(moving, toRight ? right : left);
        MovePlan plan;
        if (!planMove(d, plan)) state.SkipWithError("drop refused");
        benchmark::DoNotOptimize(applyMove(tree, plan));
        toRight = !toRight;
    }
    state.SetComplexityN(state.range(0));
}

// For comparison: one plain walk over the same tree, which a move has to make twice (leaving and
// arriving each count the subtree's items).
void BM_WalkSameTree(benchmark::State& state)
{
    ItemTree tree;
    Node* root = tree.append(nullptr, "root", ClosedFolderImage);
    fill(tree, tree.append(root, "moving", ClosedFolderImage), static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t items = 0;
        tree.forEach([&items](Node*, int) { ++items; });
        benchmark::DoNotOptimize(items);
    }
}

}  // namespace

BENCHMARK(BM_WalkSameTree)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveFolderOntoFolder)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK_MAIN();
