#include <string>

#include "generator/CaptionMarkup.h"
#include "generator/StaticMenu.h"

namespace quillmap {

std::string StaticTestPageText(const StaticMenu& menu)
{
    std::string frame = "<iframe id=\"content\"";
    if (!menu.frameName.empty()) {
        frame += " name=\"";
        appendAttributeText(frame, menu.frameName);
        frame += '"';
    }
    frame += " src=\"welcome.html\" title=\"Page shown by the menu\"></iframe>";

    // The menu's box scrolls; a tab index of -1 keeps it out of the Tab order, where Firefox would
    // otherwise stop on the box before the menu's first control.
    const Lines head = {
        "<!DOCTYPE html>",
        "<html lang=\"en\">",
        "<head>",
        "<meta charset=\"utf-8\">",
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'self'\">",
        "<title>Quillmap tree menu without script: test page</title>",
        "<link rel=\"stylesheet\" href=\"static.css\">",
        "<link rel=\"stylesheet\" href=\"Quillnavstatic.css\">",
        "<script src=\"Quillnavcurrent.js\" defer></script>",
        "</head>",
        "<body>",
        "<div id=\"layout\">",
        "<div id=\"menu\" tabindex=\"-1\">",
    };
    const std::string tail = joinLinesCrLf({"</div>", "<main id=\"page\">" + frame + "</main>", "</div>", "</body>", "</html>"});
    std::string page = joinLinesCrLf(head);
    page.reserve(page.size() + menu.fragment.size() + tail.size());
    page += menu.fragment;
    page += tail;
    return page;
}

Lines CurrentPageScriptLines()
{
    return {
        "/*",
        "\tQuillmap menu without script: marks the entry that links to this very page",
        "\t(aria-current=\"page\") and opens the folders around it. The menu works",
        "\twithout this file; a page that wants it loads it in its head:",
        "\t<script src=\"Quillnavcurrent.js\" defer></script>",
        "*/",
        "(function () {",
        "\t\"use strict\"",
        "",
        "\tfunction withoutFragment(address) {",
        "\t\tvar hash = address.indexOf(\"#\")",
        "\t\treturn hash < 0 ? address : address.slice(0, hash)",
        "\t}",
        "",
        "\tfunction markCurrentPage() {",
        "\t\tvar here = withoutFragment(location.href)",
        "\t\tvar menus = document.querySelectorAll(\"nav.quillnav\")",
        "\t\tfor (var m = 0; m < menus.length; m++) {",
        "\t\t\tvar links = menus[m].querySelectorAll(\"a[href]\")",
        "\t\t\tfor (var i = 0; i < links.length; i++) {",
        "\t\t\t\tif (withoutFragment(links[i].href) !== here)",
        "\t\t\t\t\tcontinue",
        "\t\t\t\tlinks[i].setAttribute(\"aria-current\", \"page\")",
        "\t\t\t\t// A folder's <details> is the first child of its list item.",
        "\t\t\t\tfor (var e = links[i].parentNode; e && e !== menus[m]; e = e.parentNode)",
        "\t\t\t\t\tif (e.tagName === \"LI\" && e.firstElementChild && e.firstElementChild.tagName === \"DETAILS\")",
        "\t\t\t\t\t\te.firstElementChild.open = true",
        "\t\t\t\tbreak",
        "\t\t\t}",
        "\t\t}",
        "\t}",
        "",
        "\tif (document.readyState === \"loading\")",
        "\t\tdocument.addEventListener(\"DOMContentLoaded\", markCurrentPage)",
        "\telse",
        "\t\tmarkCurrentPage()",
        "})()",
    };
}

}  // namespace quillmap
