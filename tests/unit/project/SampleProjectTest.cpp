// The sample project that ships in Projects/ is this writer's output for the tree below. Run the
// test with QUILLMAP_WRITE_SAMPLE=1 to write the file again after changing the tree.
#include <gtest/gtest.h>

#include <cstdlib>

#include "project/ProjectFormat.h"
#include "project/TreeExpansion.h"
#include "ProjectTestSupport.h"

using namespace quillmap;
using namespace quillmap::test;

namespace {

const std::string samplePath = std::string(QUILLMAP_SOURCE_DIR) + "/assets/Projects/sample_site.qmp";

struct SiteBuilder {
    ItemTree& tree;
    Node* folder(Node* parent, const std::string& caption, bool open)
    {
        return addItem(tree, parent, caption, ClosedFolderImage, {"", "0", open ? "1" : "0", ""});
    }
    // target "0": the site's frame; "1": a new window
    Node* page(Node* parent, const std::string& caption, const std::string& url, const char* target = "0",
               const std::string& icon = "")
    {
        return addItem(tree, parent, caption, DocumentImage, {url, target, "-1", icon});
    }
};

void buildSampleSite(ItemTree& tree, ProjectOptions& options)
{
    SiteBuilder b{tree};
    Node* root = b.folder(nullptr, "Riverside Library", false);
    b.page(root, "Home", "sample-site/home.html", "0", "ftv2doc_1.gif");

    Node* about = b.folder(root, "About Us", true);
    b.page(about, "Our History", "sample-site/about/history.html");
    b.page(about, "Opening Hours", "sample-site/about/hours.html");
    b.page(about, "Staff", "sample-site/about/staff.html");
    b.page(about, "Contact", "sample-site/about/contact.html", "0", "ftv2doc_2.gif");

    Node* catalogue = b.folder(root, "Catalogue", true);
    b.page(catalogue, "Search the Catalogue", "sample-site/catalogue/search.html", "0", "ftv2doc_3.gif");
    b.page(catalogue, "New Arrivals", "sample-site/catalogue/new.html");
    Node* books = b.folder(catalogue, "Books", false);
    b.page(books, "Fiction", "sample-site/catalogue/fiction.html");
    b.page(books, "Non-fiction", "sample-site/catalogue/non-fiction.html");
    b.page(books, "Children's Books", "sample-site/catalogue/children.html");
    Node* media = b.folder(catalogue, "Media", true);
    b.page(media, "Audiobooks", "sample-site/catalogue/audiobooks.html");
    b.page(media, "Films", "sample-site/catalogue/films.html");
    b.page(media, "Music", "sample-site/catalogue/music.html");

    Node* events = b.folder(root, "Events", false);
    b.page(events, "Calendar", "sample-site/events/calendar.html");
    b.page(events, "Reading Group", "sample-site/events/reading-group.html");
    b.page(events, "Story Time for Children", "sample-site/events/story-time.html");
    b.page(events, "Past Events", "sample-site/events/archive.html");

    Node* services = b.folder(root, "Services", false);
    b.page(services, "Borrowing", "sample-site/services/borrowing.html");
    b.page(services, "Renewals", "sample-site/services/renewals.html");
    b.page(services, "Interlibrary Loans", "sample-site/services/interlibrary.html");
    b.page(services, "Computers and Printing", "sample-site/services/computers.html");
    Node* online = b.folder(services, "Online Resources", true);
    b.page(online, "Encyclopedia", "https://www.wikipedia.org/", "1", "ftv2doc_2.gif");
    b.page(online, "Public Domain Books", "https://www.gutenberg.org/", "1", "ftv2doc_3.gif");
    b.page(online, "Maps", "https://www.openstreetmap.org/", "1");

    Node* support = b.folder(root, "Support Us", false);
    b.page(support, "Friends of the Library", "sample-site/support/friends.html");
    b.page(support, "Volunteering", "sample-site/support/volunteer.html");
    b.page(root, "Site Map", "sample-site/sitemap.html", "0", "ftv2doc_1.gif");

    options.look.textColor = {0x33, 0x33, 0x33};
    options.look.linkColor = {0x1A, 0x4F, 0x8B};
    options.look.visitedLinkColor = {0x6A, 0x3D, 0x9A};
    options.look.activatedLinkColor = {0xC0, 0x39, 0x2B};
    options.look.activatedLinkStyle = 1;
}

}  // namespace

TEST(SampleProject, ShippedFileIsTheWritersOutputAndReadsBack)
{
    ItemTree tree;
    ProjectOptions options;
    buildSampleSite(tree, options);
    ASSERT_GE(tree.size(), 20u);
    ASSERT_LE(tree.size(), 50u);
    if (const char* write = std::getenv("QUILLMAP_WRITE_SAMPLE"); write && std::string(write) == "1")
        saveProjectFile(samplePath, tree, options);

    const std::string text = readWholeFile(samplePath);
    EXPECT_EQ(text, joinLinesCrLf(projectLines(tree, options)));

    ProjectData data;
    ASSERT_EQ(readProjectData(samplePath, data), ReadOutcome::Loaded);
    EXPECT_EQ(describe(data.tree), describe(tree));
    EXPECT_EQ(data.options, options);

    // It shows what the program can do: open folders (one inside a closed one), both targets and
    // the replacement icons.
    std::vector<std::string> expanded;
    for (const Node* n : itemsToExpandAfterLoad(data.tree)) expanded.push_back(n->caption);
    EXPECT_EQ(expanded, (std::vector<std::string>{"About Us", "Catalogue", "Media", "Services",
                                                  "Online Resources"}));
    bool newWindow = false, frame = false, icons[4] = {};
    data.tree.forEach([&](Node* n, int) {
        newWindow |= n->record()->Target == "1";
        frame |= n->isDocument() && n->record()->Target == "0";
        for (int i = 1; i <= 3; ++i) icons[i] |= n->record()->CustomImage == "ftv2doc_" + std::to_string(i) + ".gif";
    });
    EXPECT_TRUE(newWindow && frame && icons[1] && icons[2] && icons[3]);
}
