#include <gtest/gtest.h>

#include <random>

#include "project/ProjectFormat.h"
#include "ProjectTestSupport.h"

using namespace quillmap;
using namespace quillmap::test;

namespace {

const char* const Markers[] = {project_format::ImagesMarker,  project_format::LinksMarker,
                               project_format::TargetsMarker, project_format::OpenFoldersMarker,
                               project_format::OptionsMarker, project_format::CustomImagesMarker,
                               project_format::EndMarker};

// Random text as the window can hold it: 8-bit bytes and binary noise without line breaks or NUL,
// now and then empty, led by blanks and TABs, or equal to a marker line. A caption loses its
// leading blanks and TABs as it is typed, as in the window.
std::string randomText(std::mt19937& rng, std::size_t maxLength, bool isCaption)
{
    std::uniform_int_distribution<int> percent(0, 99);
    const int kind = percent(rng);
    if (kind < 5) return {};
    if (kind < 12) return Markers[static_cast<std::size_t>(percent(rng)) % std::size(Markers)];
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<int> byte(1, 255);
    std::string text(length(rng), ' ');
    for (char& c : text) {
        int b;
        do b = byte(rng);
        while (b == '\r' || b == '\n');
        c = static_cast<char>(b);
    }
    if (kind < 30) text.insert(0, percent(rng) % 2 ? " \t " : "\t");
    if (isCaption) text.erase(0, text.find_first_not_of(" \t") == std::string::npos ? text.size() : text.find_first_not_of(" \t"));
    return text;
}

void buildRandomTree(std::mt19937& rng, ItemTree& tree, int count)
{
    std::vector<Node*> nodes;
    std::uniform_int_distribution<int> percent(0, 99);
    for (int i = 0; i < count; ++i) {
        Node* parent = nullptr;
        // Mostly nested under an earlier item; now and then another top-level item, and now and
        // then an item under a document, which a project file can hold.
        if (!nodes.empty() && percent(rng) >= 3) {
            std::uniform_int_distribution<std::size_t> pick(0, nodes.size() - 1);
            parent = nodes[percent(rng) < 30 ? nodes.size() - 1 : pick(rng)];
        }
        const bool document = percent(rng) < 45;
        TMyRec record{randomText(rng, 30, false), percent(rng) < 80 ? (percent(rng) < 50 ? "0" : "1") : randomText(rng, 5, false),
                      document ? "-1" : (percent(rng) < 80 ? (percent(rng) < 50 ? "0" : "1") : randomText(rng, 5, false)),
                      document && percent(rng) < 40 ? "ftv2doc_" + std::to_string(percent(rng)) + ".gif" : randomText(rng, 12, false)};
        if (percent(rng) < 5) record = {};  // texts left empty, as after a short block
        const int image = document ? DocumentImage : (percent(rng) < 50 ? OpenFolderImage : ClosedFolderImage);
        nodes.push_back(addItem(tree, parent, randomText(rng, 40, true), image, record));
    }
}

ProjectOptions randomOptions(std::mt19937& rng)
{
    std::uniform_int_distribution<int> byte(0, 255), style(-1, 3), coin(0, 1);
    const auto color = [&] {
        return Rgb{static_cast<std::uint8_t>(byte(rng)), static_cast<std::uint8_t>(byte(rng)),
                   static_cast<std::uint8_t>(byte(rng))};
    };
    ProjectOptions o;
    o.targetFrame = randomText(rng, 20, false);
    o.useTextLinks = coin(rng);
    o.autoClose = coin(rng);
    o.look = {color(), color(), color(), color(), color(), style(rng), style(rng), style(rng)};
    return o;
}

// Folders come back closed: a file records only the folder/document distinction. An item's text
// equal to the marker line closing its block is written with one trailing blank (a caption only
// where its line would equal the marker: at the top level).
std::vector<std::string> describeAsStored(const ItemTree& tree)
{
    namespace f = project_format;
    const auto stored = [](std::string& text, const char* closingMarker) {
        if (text == closingMarker) text += ' ';
    };
    tree.forEach([&](Node* n, int level) {
        if (n->imageIndex == OpenFolderImage) n->imageIndex = ClosedFolderImage;
        if (level == 0) stored(n->caption, f::ImagesMarker);
        if (TMyRec* r = n->record()) {
            stored(r->URL, f::TargetsMarker);
            stored(r->Target, f::OpenFoldersMarker);
            stored(r->OpenState, f::OptionsMarker);
            stored(r->CustomImage, f::EndMarker);
        }
    });
    return describe(tree);
}

}  // namespace

TEST(ProjectRoundTrip, RandomTreesComeBackExactly)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        ItemTree tree;
        buildRandomTree(rng, tree, static_cast<int>(rng() % 80) + (seed == 1 ? 0 : 1));
        const ProjectOptions options = randomOptions(rng);

        const std::string text = joinLinesCrLf(projectLines(tree, options));
        ProjectData data;
        ProjectDataTarget target(data);
        ASSERT_EQ(readProjectText(text, target), ReadOutcome::Loaded);
        EXPECT_EQ(data.options, options);
        EXPECT_EQ(describe(data.tree), describeAsStored(tree));
        // Writing what was read gives the same bytes again.
        EXPECT_EQ(joinLinesCrLf(projectLines(data.tree, data.options)), text);
    }
}

TEST(ProjectRoundTrip, WideAndDeepTreesRoundTrip)
{
    ItemTree wide;
    Node* root = addItem(wide, nullptr, "root", ClosedFolderImage, TMyRec::folderDefaults());
    for (int i = 0; i < 100000; ++i)
        addItem(wide, root, "doc " + std::to_string(i), DocumentImage, {"p" + std::to_string(i) + ".html", "0", "-1", ""});
    ProjectData wideData;
    ProjectDataTarget wideTarget(wideData);
    ASSERT_EQ(readProject(projectLines(wide, ProjectOptions{}), wideTarget), ReadOutcome::Loaded);
    ASSERT_EQ(wideData.tree.size(), 100001u);
    EXPECT_EQ(wideData.tree.root()->childCount(), 100000u);
    EXPECT_EQ(wideData.tree.itemAt(100000)->record()->URL, "p99999.html");

    ItemTree deep;
    Node* p = nullptr;
    for (int i = 0; i < 4000; ++i) p = addItem(deep, p, "level", ClosedFolderImage, TMyRec::folderDefaults());
    ProjectData deepData;
    ProjectDataTarget deepTarget(deepData);
    ASSERT_EQ(readProject(projectLines(deep, ProjectOptions{}), deepTarget), ReadOutcome::Loaded);
    EXPECT_EQ(describe(deepData.tree), describe(deep));
}
