#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace quillmap {

// The addresses a sitemap lists: the <loc> of each <url> of a <urlset>, or of each <sitemap> of a
// <sitemapindex>. Element names are compared without their namespace prefix.
struct SitemapContents {
    bool isIndex = false;
    std::vector<std::string> locations;
};

// Throws quillmap::Error "%s is not a sitemap: ..." (with name) for text that is not XML or
// whose top element is neither a urlset nor a sitemapindex; an HTML page is called one.
SitemapContents readSitemapText(std::string_view xml, const std::string& name);

}  // namespace quillmap
