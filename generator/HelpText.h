#pragma once
#include <string>
#include <vector>

namespace quillmap {

// The text of the main window's help panel: how to put the generated menu into one's own page,
// the script menu first, then the menu without script.
inline std::vector<std::string> helpTextLines()
{
    const std::string rule(94, '-');
    return {
        "Click [Build and Test] or [Build] to generate \"Quillnav.js\".",
        "",
        "All files inside \"Out\" folder are required for your Tree to run.",
        "Copy these files to another location and only then edit if ",
        "needed.",
        "",
        "If you'd like to insert tree into your own page, use this code:",
        "",
        rule,
        "<HEAD>",
        "<LINK REL=\"stylesheet\" HREF=\"Quillnavstyle.css\">",
        "<SCRIPT SRC=\"Quillnav.js\"></SCRIPT>",
        "</HEAD>",
        "",
        "<BODY>",
        "<SCRIPT>",
        "initializeDocument()",
        "</SCRIPT>",
        "</BODY>",
        rule,
        "",
        "Note:  first part of this code should be inside <HEAD>",
        "</HEAD>, and second part inside <BODY> </BODY> tags.",
        "",
        "Visit the Quillmap web site for updates:",
        "https://quillmap.example.org/",
        "",
        "Every build also writes the same tree without script into \"Quillnav.html\"",
        "(\"static.html\" shows it). To use it, put this in <HEAD>:",
        "",
        rule,
        "<LINK REL=\"stylesheet\" HREF=\"Quillnavstatic.css\">",
        "<SCRIPT SRC=\"Quillnavcurrent.js\" DEFER></SCRIPT>",
        rule,
        "",
        "and the whole content of \"Quillnav.html\" where the menu is to appear",
        "inside <BODY>. The script line is optional: it marks the page you are on.",
    };
}

// The same, naming the out folder after the paragraph about it when the menu goes elsewhere than
// the program's own "Out" folder (the user's own, when the program's cannot be written).
inline std::vector<std::string> helpTextLines(const std::string& outFolder)
{
    std::vector<std::string> lines = helpTextLines();
    if (!outFolder.empty()) lines.insert(lines.begin() + 5, "Your \"Out\" folder is " + outFolder);
    return lines;
}

}  // namespace quillmap
