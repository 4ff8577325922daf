// Importing generated sites of 10,000 and 100,000 pages in 500 folders (25 sections of 20
// folders), and of 100,000 pages in one folder; each page a small but complete document whose
// title is read. The site is written once into a temporary folder and removed at the end; the
// pages are in the file cache then, as they are when a user imports a site they have just
// worked on.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "import/SiteImporter.h"

using namespace quillmap;
namespace fs = std::filesystem;

namespace {

constexpr int Sections = 25;
constexpr int FoldersPerSection = 20;

std::string page(int n)
{
    std::string text =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>Page " + std::to_string(n) + " &ndash; Caf\xC3\xA9 notes</title>\n"
        "<link rel=\"stylesheet\" href=\"/style.css\">\n</head>\n<body>\n<h1>Page " + std::to_string(n) + "</h1>\n";
    for (int p = 0; p < 12; ++p)
        text += "<p>Some text of the page, long enough to look like a paragraph of a real site.</p>\n";
    return text + "</body>\n</html>\n";
}

fs::path makeSite(int pages, int folders)
{
    const fs::path root = fs::temp_directory_path() / ("quillmap_import_bench_" + std::to_string(::getpid()) + "_" +
                                                      std::to_string(pages));
    fs::remove_all(root);
    fs::create_directories(root);
    std::ofstream(root / "index.html") << page(0);
    for (int f = 0; f < folders; ++f) {
        const fs::path folder = folders == 1 ? root / "all"
                                             : root / ("section-" + std::to_string(f / FoldersPerSection)) /
                                                   ("folder-" + std::to_string(f % FoldersPerSection));
        fs::create_directories(folder);
        for (int p = f + (f == 0); p < pages; p += folders)
            std::ofstream(folder / (p == f ? "index.html" : "page-" + std::to_string(p) + ".html")) << page(p);
    }
    return root;
}

void BM_ImportSiteFolder(benchmark::State& state)
{
    const fs::path site = makeSite(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::size_t pages = 0;
    for (auto _ : state) {
        const std::optional<ImportResult> result = SiteImporter(ImportOptions{}).importFolder(site);
        pages = result->report.pages;
    }
    state.counters["pages"] = static_cast<double>(pages);
    fs::remove_all(site);
}

// The same site with a contents page that lists every page, nested as the folders are.
void BM_ImportWithContentsPage(benchmark::State& state)
{
    const int pages = static_cast<int>(state.range(0));
    const fs::path site = makeSite(pages, Sections * FoldersPerSection);
    std::ofstream contents(site / "contents.html");
    contents << "<!DOCTYPE html><title>Contents</title><main><ul>\n";
    for (int f = 0; f < Sections * FoldersPerSection; ++f) {
        const std::string folder = "section-" + std::to_string(f / FoldersPerSection) + "/folder-" +
                                   std::to_string(f % FoldersPerSection) + "/";
        contents << "<li><a href=\"" << folder << "\">Folder " << f << "</a><ul>\n";
        for (int p = f == 0 ? 1 : f + Sections * FoldersPerSection; p < pages; p += Sections * FoldersPerSection)
            contents << "<li><a href=\"" << folder << "page-" << p << ".html\">Page " << p << "</a></li>\n";
        contents << "</ul></li>\n";
    }
    contents << "</ul></main>\n";
    contents.close();
    ImportOptions options;
    options.contentsPage = "contents.html";
    std::size_t pagesAdded = 0, unlisted = 0;
    for (auto _ : state) {
        const std::optional<ImportResult> result = SiteImporter(options).importFolder(site);
        pagesAdded = result->report.pages;
        unlisted = result->report.unlistedPages.value_or(0);
    }
    state.counters["pages"] = static_cast<double>(pagesAdded);
    state.counters["unlisted"] = static_cast<double>(unlisted);
    fs::remove_all(site);
}

}  // namespace

BENCHMARK(BM_ImportWithContentsPage)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ImportSiteFolder)
    ->Args({10000, Sections * FoldersPerSection})
    ->Args({100000, Sections * FoldersPerSection})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK_MAIN();
