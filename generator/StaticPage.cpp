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

Lines CurrentPageScriptLines(const std::optional<std::string>& menuInSite)
{
    Lines lines = {
        "/*",
        "\tQuillmap menu without script: marks the entry that links to this very page",
        "\t(aria-current=\"page\") and opens the folders around it. The menu works",
        "\twithout this file; a page that wants it loads it in its head:",
        "\t<script src=\"Quillnavcurrent.js\" defer></script>",
        "*/",
        "(function () {",
        "\t\"use strict\"",
        "",
    };
    if (menuInSite) {
        const Lines siteLinks = {
            "\t// The links of a menu marked data-site-links are written relative to the",
            "\t// site's folder; this script lies in the menu's folder, named here by its",
            "\t// place in the site. Addresses with a scheme, or starting with \"/\", \"#\"",
            "\t// or \"?\", stay as written.",
            "\tvar menuInSite = \"" + EscapeScriptString(*menuInSite, TextEncoding::Utf8, ScriptText::Name) + "\"",
            "\tvar script = document.currentScript",
            "",
            "\tfunction siteFolder() {",
            "\t\tvar names = menuInSite.split(\"/\")",
            "\t\tvar up = \"\"",
            "\t\tfor (var i = 0; i < names.length; i++)",
            "\t\t\tif (names[i] !== \"\")",
            "\t\t\t\tup = up + \"../\"",
            "\t\ttry {",
            "\t\t\treturn new URL(up, script.src).href",
            "\t\t} catch (e) {",
            "\t\t\treturn \"\"",
            "\t\t}",
            "\t}",
            "",
            "\tfunction useSiteLinks() {",
            "\t\tvar menus = document.querySelectorAll(\"nav.quillnav[data-site-links]\")",
            "\t\tvar folder = menus.length > 0 && script && script.src ? siteFolder() : \"\"",
            "\t\tif (folder === \"\")",
            "\t\t\treturn",
            "\t\tfor (var m = 0; m < menus.length; m++) {",
            "\t\t\tvar links = menus[m].querySelectorAll(\"a[href]\")",
            "\t\t\tfor (var i = 0; i < links.length; i++) {",
            "\t\t\t\tvar address = links[i].getAttribute(\"href\")",
            "\t\t\t\tif (address !== \"\" && !/^([a-z][a-z0-9+.-]*:|[\\/#?])/i.test(address))",
            "\t\t\t\t\tlinks[i].setAttribute(\"href\", new URL(address, folder).href)",
            "\t\t\t}",
            "\t\t\tmenus[m].removeAttribute(\"data-site-links\")",
            "\t\t}",
            "\t}",
            "",
        };
        lines.insert(lines.end(), siteLinks.begin(), siteLinks.end());
    }
    const Lines marking = {
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
    };
    lines.insert(lines.end(), marking.begin(), marking.end());
    const char* start = "markCurrentPage";
    if (menuInSite) {
        start = "start";
        const Lines startLines = {"\tfunction start() {", "\t\tuseSiteLinks()", "\t\tmarkCurrentPage()", "\t}", ""};
        lines.insert(lines.end(), startLines.begin(), startLines.end());
    }
    const Lines tail = {
        "\tif (document.readyState === \"loading\")",
        std::string("\t\tdocument.addEventListener(\"DOMContentLoaded\", ") + start + ")",
        "\telse",
        std::string("\t\t") + start + "()",
        "})()",
    };
    lines.insert(lines.end(), tail.begin(), tail.end());
    return lines;
}

}  // namespace quillmap
