#include <gtest/gtest.h>

#include "text/Error.h"
#include "import/SiteImporter.h"
#include "import/SitemapReader.h"
#include "tests/unit/import/SiteFixture.h"

using namespace quillmap;
namespace fs = std::filesystem;

namespace {

std::string urlset(const std::vector<std::string>& locations)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
    for (const std::string& l : locations) xml += "  <url><loc>" + l + "</loc><priority>0.5</priority></url>\n";
    return xml + "</urlset>\n";
}

class SitemapTest : public test::SiteFixture {
protected:
    ImportResult import(const fs::path& sitemap, ImportOptions options = {})
    {
        std::optional<ImportResult> result = SiteImporter(std::move(options)).importSitemap(sitemap);
        EXPECT_TRUE(result);
        return std::move(*result);
    }

    std::string errorOf(const std::string& bytes)
    {
        try {
            SiteImporter(ImportOptions{}).importSitemap(write("bad.xml", bytes));
        } catch (const Error& e) {
            return e.what();
        }
        return "(no error)";
    }
};

}  // namespace

TEST_F(SitemapTest, AddressesAreGroupedIntoFoldersByTheirPaths)
{
    const fs::path sitemap = write("sitemap.xml", urlset({
        "https://Example.com/",
        "https://example.com/about.html",
        "https://example.com/products/",
        "https://example.com/products/shoes/red-shoes.html?size=9#top",
        "https://example.com/products/shoes/caf%C3%A9-boots.html",
        "https://example.com/blog.html",
        "https://example.com/blog/post-10.html",
        "https://example.com/blog/post-2.html",
        "https://example.com/about.html",
        "https://other.org/page.html",
        "mailto:someone@example.com",
        "https://example.com/a/b/../../c%20d.html",
        "https://example.com/search.html?q=a\nb \"c\"",
        "https://exa\nmple.com/page.html",
    }));
    const ImportResult result = import(sitemap);
    EXPECT_EQ(outline(*result.items),
              "F example.com -> ./\n"
              "\tF Blog -> blog.html\n"
              "\t\tD Post 2 -> blog/post-2.html\n"
              "\t\tD Post 10 -> blog/post-10.html\n"
              "\tF Products -> products/\n"
              "\t\tF Shoes -> \n"
              "\t\t\tD Caf\xC3\xA9 boots -> products/shoes/caf%C3%A9-boots.html\n"
              "\t\t\tD Red shoes -> products/shoes/red-shoes.html?size=9\n"
              "\tD About -> about.html\n"
              "\tD C d -> c%20d.html\n"
              "\tD Search -> search.html?q=a%0Ab%20%22c%22\n");
    EXPECT_EQ(result.report.count(SkipReason::Duplicate), 1u);
    EXPECT_EQ(result.report.count(SkipReason::OtherSite), 1u);
    EXPECT_EQ(result.report.count(SkipReason::BadAddress), 2u) << "mailto: and a line break in the host";
}

TEST_F(SitemapTest, TheSiteFolderGivesTitlesAndLinksRunFromTheBase)
{
    page("site/index.html", "Welcome");
    page("site/guide/index.html", "The Guide");
    page("site/guide/setup.html", "Setting up");
    const fs::path sitemap = write("sitemap.xml", urlset({"https://example.com/", "https://example.com/guide/",
                                                          "https://example.com/guide/setup.html",
                                                          "https://example.com/guide/gone.html"}));
    ImportOptions options;
    options.siteFolder = root / "site";
    options.base = root / "site" / "menu";
    EXPECT_EQ(outline(*import(sitemap, options).items),
              "F Welcome -> ../index.html\n"
              "\tF The Guide -> ../guide/index.html\n"
              "\t\tD Gone -> ../guide/gone.html\n"
              "\t\tD Setting up -> ../guide/setup.html\n");
}

TEST_F(SitemapTest, ASitemapIndexReadsTheLocalSitemapsItNames)
{
    write("site/maps/pages.xml", urlset({"https://example.com/a.html"}));
    write("site/news.xml", urlset({"https://example.com/news/b.html"}));
    write("site/nested.xml", "<sitemapindex><sitemap><loc>pages.xml</loc></sitemap></sitemapindex>");
    // Sitemaps out of the index's folder are never read, whatever leads there.
    const std::string secret = write("elsewhere/secret.xml", urlset({"https://example.com/secret.html"})).string();
    if (PosixFiles) fs::create_symlink(secret, root / "site/linked.xml");
    const fs::path index = write(
        "site/sitemap.xml",
        "<?xml version=\"1.0\"?><sm:sitemapindex xmlns:sm=\"http://www.sitemaps.org/schemas/sitemap/0.9\">"
        "<sm:sitemap><sm:loc> https://example.com/maps/pages.xml </sm:loc></sm:sitemap>"
        "<sm:sitemap><sm:loc>https://example.com/sitemaps/news.xml</sm:loc></sm:sitemap>"
        "<sm:sitemap><sm:loc>https://example.com/missing.xml</sm:loc></sm:sitemap>"
        "<sm:sitemap><sm:loc>nested.xml</sm:loc></sm:sitemap>"
        "<sm:sitemap><sm:loc>file://" + secret + "</sm:loc></sm:sitemap>"
        "<sm:sitemap><sm:loc>../elsewhere/secret.xml</sm:loc></sm:sitemap>"
        "<sm:sitemap><sm:loc>linked.xml</sm:loc></sm:sitemap>"
        "</sm:sitemapindex>");
    const ImportResult result = import(index);
    EXPECT_EQ(outline(*result.items), "F example.com -> \n\tF News -> \n\t\tD B -> news/b.html\n\tD A -> a.html\n");
    EXPECT_EQ(result.report.count(SkipReason::NotLocal), 5u) << result.report.summary();
}

TEST_F(SitemapTest, WhatIsNoSitemapGivesAClearMessage)
{
    const std::string bad = (root / "bad.xml").string();
    EXPECT_EQ(errorOf("<html><body>not a sitemap"),
              bad + " is not a sitemap but an HTML page; give the site's sitemap.xml or its folder");
    EXPECT_EQ(errorOf("<rss><channel></rss>"), bad + " is not a sitemap: Start-end tags mismatch at byte 16");
    EXPECT_EQ(errorOf("<rss><channel/></rss>"),
              bad + " is not a sitemap: its top element is neither urlset nor sitemapindex");
    EXPECT_EQ(errorOf(std::string("\x89PNG\0\0", 6)).substr(0, bad.size() + 18), bad + " is not a sitemap:");
    EXPECT_EQ(errorOf(urlset({"mailto:x@example.com"})), "No pages found in " + bad);
}
