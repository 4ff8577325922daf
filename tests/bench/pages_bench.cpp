// The menu written into a site's pages (quillmap-build --pages) beside a plain site build: 1,000
// marked pages in 50 folders up to three deep, listed by a menu of 1,000 entries. The first run
// writes every page; the second finds nothing to change and writes none.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "generator/MenuBuild.h"
#include "generator/MenuPages.h"

using namespace quillmap;
namespace fs = std::filesystem;

namespace {

constexpr int Pages = 1000;

// The folder of page i: "s3", "s3/t1" or "s3/t1/u0".
std::string folderOf(int i)
{
    const int section = i / 20;
    std::string folder = "s" + std::to_string(section);
    if (section % 3 > 0) folder += "/t" + std::to_string(section % 3);
    if (section % 3 > 1) folder += "/u" + std::to_string(section % 2);
    return folder;
}

std::string pageOf(int i) { return folderOf(i) + "/page" + std::to_string(i) + ".html"; }

struct Site {
    fs::path folder = fs::temp_directory_path() / "quillmap-bench-pages";
    ItemTree tree;

    Site()
    {
        fs::remove_all(folder);
        Node* root = tree.append(nullptr, "Site", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec::folderDefaults()));
        Node* section = root;
        for (int i = 0; i < Pages; ++i) {
            if (i % 20 == 0)
                section = tree.append(root, "Section " + std::to_string(i / 20), ClosedFolderImage,
                                      std::make_unique<TMyRec>(TMyRec{"", "0", "0", ""}));
            tree.append(section, "Page " + std::to_string(i), DocumentImage,
                        std::make_unique<TMyRec>(TMyRec{pageOf(i), "0", "-1", ""}));
            fs::create_directories(folder / folderOf(i));
        }
        fs::create_directories(folder / "menu");
        resetPages();
    }
    ~Site() { fs::remove_all(folder); }

    void resetPages() const
    {
        for (int i = 0; i < Pages; ++i)
            std::ofstream(folder / pageOf(i), std::ios::binary)
                << "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>Page</title></head>\r\n"
                   "<body>\r\n<!-- quillmap -->\r\n<p>The page's own text.</p>\r\n</body></html>\r\n";
    }
};

Site& site()
{
    static Site shared;
    return shared;
}

void BM_PlainSiteBuild(benchmark::State& state)
{
    const Lines styleSheet = BuildStyleSheet(MenuLook{});
    for (auto _ : state)
        BuildSiteMenu(site().tree, GlobalOptions{}, styleSheet, {site().folder / "menu", "menu", site().folder});
}
BENCHMARK(BM_PlainSiteBuild)->Unit(benchmark::kMillisecond);

void BM_PagesFirstRun(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        site().resetPages();
        state.ResumeTiming();
        const MenuPagesReport report = writeMenuIntoPages(site().tree, GlobalOptions{}, site().folder, "menu");
        if (report.changed.size() != Pages) state.SkipWithError("not every page was written");
    }
}
BENCHMARK(BM_PagesFirstRun)->Unit(benchmark::kMillisecond);

void BM_PagesSecondRun(benchmark::State& state)
{
    writeMenuIntoPages(site().tree, GlobalOptions{}, site().folder, "menu");
    for (auto _ : state) {
        const MenuPagesReport report = writeMenuIntoPages(site().tree, GlobalOptions{}, site().folder, "menu");
        if (report.unchanged.size() != Pages) state.SkipWithError("a page was written again");
    }
}
BENCHMARK(BM_PagesSecondRun)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
