#include <gtest/gtest.h>

#include <cstdio>
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

// A control character in or around a javascript: scheme never turns into a clean scheme on the
// way out: the address is written as the browser reads it, or left out when that runs script.
TEST(StaticMenu, ControlCharactersNeverMakeAScriptAddress)
{
    for (int code = 1; code <= 0x7F; code = code == 0x1F ? 0x7F : code + 1) {
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "%%%02X", code);
        for (const std::size_t at : {0, 4, 10, 11, 19}) {  // before, inside, after "javascript", after ':', at the end
            // Browsers drop C0 controls around an address and tabs and line breaks inside it.
            const bool runs = at >= 11 || (at == 0 && code < 0x20) || code == '\t' || code == '\n' || code == '\r';
            std::string address = "javascript:alert(1)", written = address;
            address.insert(at, 1, static_cast<char>(code));
            written.insert(at, escaped);
            const std::string shown = std::string(escaped) + " at " + std::to_string(at);
            const std::string open = "<li><a href=\"p.html\" target=\"main_frame\">";
            EXPECT_EQ(documentRow("Run", address),
                      runs ? "<li><span>Run</span></li>" : "<li><a href=\"" + written + "\" target=\"main_frame\">Run</a></li>") << shown;
            EXPECT_EQ(documentRow("<img src=\"" + address + "\">", "p.html"),
                      open + (runs ? "<img alt=\"\">" : "<img src=\"" + written + "\" alt=\"\">") + "</a></li>") << shown;
            EXPECT_EQ(documentRow("<q cite=\"" + address + "\">x</q>", "p.html"),
                      open + (runs ? "<q>" : "<q cite=\"" + written + "\">") + "x</q></a></li>") << shown;
        }
    }
}
