#include <gtest/gtest.h>

#include "text/DialogFilter.h"
#include "text/MessageTexts.h"
#include "generator/HelpText.h"
#include "tree/ItemPlacement.h"

using namespace quillmap;

TEST(MessageTexts, NumberedDefaultsInTableOrder)
{
    const MessageTexts texts;
    const char* expected[MessageTexts::Count] = {
        "No items to build!",
        "Save changes to ",
        " project?",
        "New Folder",
        "New Document",
        "Root Folder",
        "Destination node is the same as the source node",
        "Can't drag/drop the root",
        "Can't drop parent onto child",
        "Please select folder.",
        "Nothing selected",
        "Remove root node? (all tree will be deleted)",
        "No items to save!",
        "Save as...",
        "Save",
        "Please donwload the latest version of Quillmap to open this file.",
        "This isn't Quillmap Project File",
    };
    for (int n = 1; n <= MessageTexts::Count; ++n) EXPECT_EQ(texts.byNumber(n), expected[n - 1]) << n;
    EXPECT_THROW(texts.byNumber(0), std::out_of_range);
    EXPECT_THROW(texts.byNumber(18), std::out_of_range);
}

TEST(MessageTexts, ReplacedTextsReachTheNewItemCaptions)
{
    MessageTexts texts;
    texts.byNumber(4) = "Neuer Ordner";
    texts.byNumber(5) = "Neues Dokument";
    texts.byNumber(6) = "Wurzel";
    const NewItemCaptions captions = newItemCaptions(texts);
    EXPECT_EQ(captions.newFolder, "Neuer Ordner");
    EXPECT_EQ(captions.newDocument, "Neues Dokument");
    EXPECT_EQ(captions.rootFolder, "Wurzel");
    EXPECT_EQ(texts.newFolder, "Neuer Ordner");
}

TEST(HelpText, EmbeddingCodeOfBothMenus)
{
    const auto lines = helpTextLines();
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines[0], "Click [Build and Test] or [Build] to generate \"Quillnav.js\".");
    EXPECT_EQ(lines[3], "Copy these files to another location and only then edit if ");
    EXPECT_EQ(lines[8], std::string(94, '-'));
    EXPECT_EQ(lines[19], std::string(94, '-'));
    EXPECT_EQ(lines[10], "<LINK REL=\"stylesheet\" HREF=\"Quillnavstyle.css\">");
    EXPECT_EQ(lines[11], "<SCRIPT SRC=\"Quillnav.js\"></SCRIPT>");
    EXPECT_EQ(lines[16], "initializeDocument()");
    EXPECT_EQ(lines[21], "Note:  first part of this code should be inside <HEAD>");
    EXPECT_EQ(lines[24], "Visit the Quillmap web site for updates:");
    EXPECT_EQ(lines[25], "https://quillmap.example.org/");
    for (std::size_t i : {1u, 5u, 7u, 13u, 20u, 23u}) EXPECT_TRUE(lines[i].empty()) << i;
    // The menu without script follows the prescribed lines.
    EXPECT_EQ(lines[31], "<LINK REL=\"stylesheet\" HREF=\"Quillnavstatic.css\">");
}

TEST(DialogFilter, PairsBecomeNamedPatternLists)
{
    EXPECT_EQ(nameFilters("HTML Files|*.html;*.htm|All Files|*.*"),
              (std::vector<std::string>{"HTML Files (*.html *.htm)", "All Files (*.*)"}));
    // Descriptions that already name their patterns are not repeated.
    EXPECT_EQ(nameFilters("Quillmap Projects (*.qmp)|*.qmp|All Files (*.*)|*.*"),
              (std::vector<std::string>{"Quillmap Projects (*.qmp)", "All Files (*.*)"}));
    EXPECT_EQ(nameFilters("Pictures (*.gif)|*.gif;*.png"),
              (std::vector<std::string>{"Pictures (*.gif) (*.gif *.png)"}));
}

TEST(DialogFilter, OddInput)
{
    EXPECT_TRUE(nameFilters("").empty());
    EXPECT_EQ(nameFilters("Everything"), (std::vector<std::string>{"Everything (*)"}));
    EXPECT_EQ(nameFilters("Text| *.txt ; ;*.log |"),
              (std::vector<std::string>{"Text (*.txt *.log)", "(*)"}));
}
