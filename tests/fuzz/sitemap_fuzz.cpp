// Any bytes given as a sitemap must give its addresses or a quillmap::Error; the addresses must
// make an outline whose links hold no line break.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/Error.h"
#include "import/SitemapOutline.h"
#include "import/SitemapReader.h"

using namespace quillmap;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    SitemapContents contents;
    try {
        contents = readSitemapText(xml, "sitemap.xml");
    } catch (const Error&) {
        return 0;
    }
    ImportReport report;
    const SiteOutline outline = outlineFromAddresses(contents.locations, "/nonexistent/site", "/nonexistent/site/menu",
                                                     false, report);
    for (const OutlineFolder& folder : outline.folders) {
        for (const OutlinePage& page : folder.pages)
            if (page.link.find_first_of("\r\n") != std::string::npos) __builtin_trap();
        for (const std::size_t child : folder.folders)
            if (child >= outline.folders.size()) __builtin_trap();
    }
    return 0;
}
