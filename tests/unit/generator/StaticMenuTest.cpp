#include <gtest/gtest.h>

#include <string>

#include "generator/StaticMenu.h"
#include "TreeFixtures.h"

using namespace quillmap;
using namespace quillmap::testing;

namespace {

// The row the static menu writes for a document with this caption and link below the top folder.
std::string documentRow(const std::string& caption, const std::string& link)
{
    ItemTree tree;
    Node* top = addFolder(tree, nullptr, "Top");
    addDocument(tree, top, caption, link);
    addDocument(tree, top, "After", "after.html");
    const std::string fragment = BuildStaticMenu(tree, GlobalOptions{}, {}).fragment;
    const std::size_t start = fragment.find("<ul>\r\n<li><a");
    const std::size_t spanStart = fragment.find("<ul>\r\n<li><span");
    const std::size_t row = (start != std::string::npos ? start : spanStart) + 6;
    return fragment.substr(row, fragment.find("\r\n", row) - row);
}

}  // namespace

// A caption's markup stays inside its own entry and brings no script; links are attribute-safe.
TEST(StaticMenu, HostileCaptionsStayInsideTheirEntry)
{
    const std::string open = "<li><a href=\"p.html\" target=\"main_frame\">";
    const struct {
        std::string caption, link, row;
    } cases[] = {
        {"Plain \"quoted\" & <b>bold</b>", "p.html", open + "Plain \"quoted\" &amp; <b>bold</b></a></li>"},
        {"<script>alert(1)</script>Hi", "p.html", open + "Hi</a></li>"},
        {"<b onclick=\"x()\" style=\"color:red\" title='t \"q\"'>B</b>", "p.html",
         open + "<b title=\"t &quot;q&quot;\">B</b></a></li>"},
        {"<img src=\"jav&#x61;script:x\" onerror=\"x()\">", "p.html", open + "<img alt=\"\"></a></li>"},
        {"<img src=\" JavaScript:x\" alt=\"a\"><img src=\"i&amp;j.gif\">", "p.html",
         open + "<img alt=\"a\"><img src=\"i&amp;j.gif\" alt=\"\"></a></li>"},
        {"<i>unclosed <u>two", "p.html", open + "<i>unclosed <u>two</u></i></a></li>"},
        {"<b>one <i>two</b> three</i>", "p.html", open + "<b>one <i>two</i></b> three</a></li>"},
        {"Drafts <!-- hidden", "p.html", open + "Drafts </a></li>"},
        {"x</a></li></ul></details></nav>y<!-- c -->z", "p.html", open + "xyz</a></li>"},
        {"<a href=\"javascript:x\">in</a><div>block</div>", "p.html", open + "inblock</a></li>"},
        {"x<y", "p.html", open + "x</a></li>"},
        {"a < b &amp; c &copy; &#169;", "p.html", open + "a &lt; b &amp; c &copy; &#169;</a></li>"},
        {"<svg><script>x()</script></svg><style>*{}</style>after", "p.html", open + "after</a></li>"},
        {"<font color=red size=\"2\" face=x>f</font>", "p.html",
         open + "<font color=\"red\" size=\"2\" face=\"x\">f</font></a></li>"},
        {"Caf\xC3\xA9", "q\"<a&b>.html", "<li><a href=\"q&quot;&lt;a&amp;b&gt;.html\" target=\"main_frame\">Caf\xC3\xA9</a></li>"},
        {"Run", "  JAVA\tscript:alert(1)", "<li><span>Run</span></li>"},
        // An 8-bit project: the fragment is UTF-8 all the same.
        {"Caf\xE9", "p.html", open + "Caf\xC3\xA9</a></li>"},
    };
    for (const auto& c : cases) EXPECT_EQ(documentRow(c.caption, c.link), c.row) << c.caption;
}
