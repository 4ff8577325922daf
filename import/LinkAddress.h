#pragma once
#include <string>
#include <string_view>

namespace quillmap {

// Where a menu item's link leads, as the browser showing the menu reads it.
enum class LinkKind {
    Empty,     // no link at all, or only blanks
    SamePage,  // only a query or a fragment: a place in the page that shows the menu
    Local,     // a file of the site: a relative or "/"-rooted path, a file: URL, a drive path
    Web,       // an http: or https: address, or one that starts with "//"
    Other,     // mailto:, tel:, javascript: and every other scheme: nothing a file or server answers
};

// A link split into its parts. Paths and fragments keep their %XX escapes.
struct LinkAddress {
    LinkKind kind = LinkKind::Empty;
    std::string scheme;    // lower case, without the colon; empty for a relative link
    // Local: the path, '\' read as '/' as browsers do; absolute for a file: URL or a drive path
    // ("/home/me/site/a.html", "C:/site/a.html"), else from the site folder. Web: the whole
    // address without its fragment, ready for a request (blanks and non-ASCII bytes escaped).
    std::string path;
    bool absolute = false;  // Local: path is a path of the file system, not a link inside the site
    bool hasFragment = false;
    std::string fragment;
};

// Splits a link. Blanks and control characters around it are dropped, tabs and line breaks
// inside it too, as browsers do.
LinkAddress parseLink(std::string_view link);

}  // namespace quillmap
