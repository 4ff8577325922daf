#include "generator/SiteTestPage.h"

#include "text/TextFile.h"
#include "generator/CaptionMarkup.h"

namespace quillmap {

std::string SiteTestPageText(const std::string& menuInSite)
{
    std::string prefix;
    appendAttributeText(prefix, menuInSite.empty() ? std::string() : menuInSite + "/");
    const std::string folder = menuInSite.empty() ? "the site folder" : "the menu folder <code>" + prefix + "</code>";
    return joinLinesCrLf({
        "<!DOCTYPE html>",
        "<html lang=\"en\">",
        "<head>",
        "<meta charset=\"utf-8\">",
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
        "<title>Quillmap: the site's menu</title>",
        "<link rel=\"stylesheet\" href=\"Quillnavstyle.css\">",
        "<script src=\"Quillnav.js\"></script>",
        "</head>",
        "<body>",
        "<nav aria-label=\"Site menu\">",
        "<script>initializeDocument()</script>",
        "</nav>",
        "<main>",
        "<h1>The site's menu</h1>",
        "<p>This page lies in " + folder + " of your site. The menu's links open the site's own pages.</p>",
        "<p>A page in the site folder shows the same menu with these lines (from a page in a folder",
        "below, add one <code>../</code> for each folder):</p>",
        "<pre>&lt;link rel=\"stylesheet\" href=\"" + prefix + "Quillnavstyle.css\"&gt;",
        "&lt;script src=\"" + prefix + "Quillnav.js\"&gt;&lt;/script&gt;",
        "&lt;script&gt;initializeDocument()&lt;/script&gt;</pre>",
        "</main>",
        "</body>",
        "</html>",
    });
}

}  // namespace quillmap
