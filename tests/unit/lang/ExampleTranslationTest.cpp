#include <gtest/gtest.h>

#include <map>

#include "text/TextEncoding.h"
#include "text/TextFile.h"
#include "lang/WindowTexts.h"

using namespace quillmap;

namespace {

// The program's built-in English texts by line, for every line some window reads.
const std::map<int, std::string>& englishTexts()
{
    static const std::map<int, std::string> texts{
        {7, "New Folder"}, {8, "Document"}, {9, "Remove"}, {10, " Properties "}, {11, "Target Frame:"},
        {12, "Use text links"}, {13, "Colors and Styles"}, {14, " Project "}, {15, "New"}, {16, "Open"},
        {17, "Save"}, {18, "Build and Test"}, {19, "Build"}, {20, "Browse \"Out\""}, {22, "Help"},
        {24, "Quillmap  is not registered as a default program for .QMP files"},
        {25, "Would you like to register it, so if you double-click the .QMP file, it's opened?"},
        {26, "&Yes"}, {27, "&No"}, {28, "Never ask me about it."}, {30, "Colors"}, {31, "Styles"},
        {32, "Background:"}, {33, "Text:"}, {34, "Link:"}, {35, "Visited Link:"}, {36, "Activated Link:"},
        {37, "none"}, {38, "underline"}, {39, "overline"}, {40, "line-through"},
        {41, "Note: most styles work in Internet Explorer only."}, {42, "Colors and Styles"},
        {47, "No items to build!"}, {48, "Save changes to "}, {49, " project?"}, {51, "Link target:"},
        {52, "main_frame"}, {53, "_blank (new window)"}, {54, "Initial state:"}, {55, "Closed"},
        {56, "Opened"}, {57, "Replace default image with:"}, {59, "New Folder"}, {60, "New Document"},
        {61, "Root Folder"}, {63, "Destination node is the same as the source node"},
        {64, "Can't drag/drop the root"}, {65, "Can't drop parent onto child"}, {66, "Please select folder."},
        {67, "Nothing selected"}, {68, "Remove root node? (all tree will be deleted)"},
        {69, "No items to save!"}, {70, "Save as..."}, {71, "Save"},
        {72, "Please donwload the latest version of Quillmap to open this file."},
        {73, "This isn't Quillmap Project File"}, {75, "Caption:"}, {76, "Link:"},
        {77, " Global Properties "}, {79, "Save"}, {80, "Save As..."},
        {82, "Rename"}, {83, "Import site folder..."}, {84, "Import sitemap..."}, {85, "Move Up"},
        {86, "Move Down"}, {87, "Move Out of Folder"}, {88, "Move Into Folder Above"}, {89, "Cut"},
        {90, "Paste"}, {91, "Open .qmp files with Quillmap..."},
        {92, "Recent projects and import: right-click, Shift+F10 or %1"}, {93, "Close"},
        {94, "Check links..."}, {96, "Link check"}, {100, "Item"}, {101, "Link"}, {102, "Problem"},
        {107, "a new project"}, {113, "&Reload"}, {114, "&Save anyway"}, {115, "&Keep mine"}, {116, "&Cancel"},
        {127, "Site"}, {138, "&No site"}, {150, "&Table of contents page:"}, {155, "&Import"},
        {157, "Auto-close previous folder"}, {158, "Confirm"}, {159, "&Yes"}, {160, "&No"}, {161, "&Cancel"},
        {162, "Ctrl"}, {163, "Shift"}, {164, "Del"}, {165, "Ins"},
    };
    return texts;
}

}  // namespace

// The file once wrote umlauts as "fuer" and left the newer texts in English.
TEST(ExampleTranslation, GermanFileIsCompleteTranslatedUtf8WithCrLf)
{
    const std::string path = std::string(QUILLMAP_SOURCE_DIR) + "/assets/lang/German/Lang.ini";
    const std::string bytes = readWholeFile(path);
    EXPECT_TRUE(isValidUtf8(bytes));
    for (const char* spelledOut : {"fuer", "oeffn", "Eintraege", "benoetigt"})
        EXPECT_EQ(bytes.find(spelledOut), std::string::npos) << spelledOut;
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos) << "every line ends with CR LF";

    const auto file = LanguageFile::fromBytes(bytes);
    EXPECT_EQ(file.encoding(), TextEncoding::Utf8);
    ASSERT_GT(file.lineCount(), static_cast<std::size_t>(MainWindowLaterTexts.back().line));
    for (const auto& [line, english] : englishTexts())
        EXPECT_NE(file.line(static_cast<std::size_t>(line)), english) << "line " << line << " is not translated";
    // Group captions keep their blank on each side, as the English ones do.
    EXPECT_EQ(file.line(10).front(), ' ');
    EXPECT_EQ(file.line(10).back(), ' ');
    EXPECT_EQ(file.line(77).front(), ' ');
    EXPECT_EQ(file.line(44), "Quillmap");
    EXPECT_EQ(file.line(45), "2.0");

    int setTexts = 0;
    std::string help;
    applyMainWindowLanguage(file, [&](MainText t, int, const std::string& text) {
        ++setTexts;
        if (t == MainText::Memo1) help = text;
    });
    applyColorsWindowLanguage(file, [&](ColorsText, int, const std::string&) { ++setTexts; });
    applyPromptLanguage(file, [&](PromptText, int, const std::string&) { ++setTexts; });
    applyNewerLanguage(file, [&](NewerText, const std::string&) { ++setTexts; });
    EXPECT_EQ(setTexts, 47 + MainWindowLaterTexts.size() + 21 + 6 + NewerTextCount);
    EXPECT_EQ(splitLines(help).size(), 23u);
    EXPECT_NE(help.find("initializeDocument()"), std::string::npos);
}
