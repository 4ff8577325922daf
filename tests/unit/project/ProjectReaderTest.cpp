#include <gtest/gtest.h>

#include <array>

#include "text/Error.h"
#include "project/ProjectFormat.h"
#include "project/ProjectReader.h"
#include "ProjectTestSupport.h"

using namespace quillmap;
using namespace quillmap::test;

namespace {

// Reads lines into a fresh ProjectData through the recording target; the thrown text, if any,
// lands in error.
struct Read {
    ProjectData data;
    RecordingTarget target{data};
    std::optional<ReadOutcome> outcome;
    std::string error;

    explicit Read(const Lines& lines)
    {
        try {
            outcome = readProject(lines, target);
        } catch (const Error& e) {
            error = e.what();
        }
    }
    bool loaded() const { return outcome == ReadOutcome::Loaded; }
    const TMyRec& record(int k) const { return *data.tree.itemAt(k)->record(); }
};

std::string missing(const char* marker) { return std::string("Missing line \"") + marker + "\" in the project file"; }

}  // namespace

TEST(ProjectReader, ReadsTheExampleBackToTheSameTreeInFileOrder)
{
    ItemTree expected;
    buildExampleTree(expected);
    Read r(exampleLines());
    ASSERT_TRUE(r.loaded()) << r.error;
    // Docs was open in the window; the file keeps only the folder/document distinction.
    expected.itemAt(1)->imageIndex = ClosedFolderImage;
    EXPECT_EQ(describe(r.data.tree), describe(expected));
    EXPECT_EQ(r.data.options, ProjectOptions{});
    EXPECT_EQ(r.target.log,
              (std::vector<std::string>{
                  "outline 3", "image Root Folder=0", "image Docs=0", "image Readme=2", "url Root Folder=",
                  "url Docs=", "url Readme=readme.html", "target Root Folder=0", "target Docs=0",
                  "target Readme=1", "open Root Folder=0", "open Docs=1", "open Readme=-1", "frame main_frame",
                  "textlinks on", "color 0=#FFFFFF", "color 1=#000000", "color 2=#0000FF", "color 3=#0000FF",
                  "color 4=#FF0000", "style 0=0", "style 1=0", "style 2=0", "autoclose off",
                  "custom Root Folder=", "custom Docs=", "custom Readme=ftv2doc_1.gif"}));
    EXPECT_EQ(r.data.tree.itemAt(2)->selectedImageIndex, DocumentImage);
}

TEST(ProjectReader, LoneCrLoneLfAndMixedLineEndsReadAlike)
{
    std::string text = exampleFileText();
    ProjectData viaCrLf;
    ProjectDataTarget t0(viaCrLf);
    ASSERT_EQ(readProjectText(text, t0), ReadOutcome::Loaded);

    for (const char* end : {"\r", "\n"}) {
        std::string converted;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text.compare(i, 2, "\r\n") == 0) {
                converted += end;
                ++i;
            } else {
                converted += text[i];
            }
        }
        ProjectData data;
        ProjectDataTarget target(data);
        ASSERT_EQ(readProjectText(converted, target), ReadOutcome::Loaded) << int(end[0]);
        EXPECT_EQ(describe(data.tree), describe(viaCrLf.tree));
        EXPECT_EQ(data.options, viaCrLf.options);
    }
    // Mixed ends, and the last line without any end.
    std::string mixed = "Quillmap Project File\r2000\nRoot Folder\r\n\tDocs\n\t\tReadme\r" + text.substr(text.find("/---- * QMAP IMGs"));
    mixed.resize(mixed.size() - 2);
    ProjectData data;
    ProjectDataTarget target(data);
    ASSERT_EQ(readProjectText(mixed, target), ReadOutcome::Loaded);
    EXPECT_EQ(describe(data.tree), describe(viaCrLf.tree));
}

TEST(ProjectReader, RefusesAFileWhoseFirstLineIsNotTheHeader)
{
    for (std::string first : {"quillmap project file", "Quillmap Project File ", " Quillmap Project File", ""}) {
        Lines lines = exampleLines();
        lines[0] = first;
        Read r(lines);
        EXPECT_EQ(r.outcome, ReadOutcome::NotAProject) << first;
        EXPECT_TRUE(r.target.log.empty());
    }
    Read empty(Lines{});
    EXPECT_EQ(empty.outcome, ReadOutcome::NotAProject);
    EXPECT_STREQ(defaultRefusalText(ReadOutcome::NotAProject), "This isn't Quillmap Project File");
}

TEST(ProjectReader, VersionRules)
{
    const auto withVersion = [](const std::string& v) {
        Lines lines = exampleLines();
        lines[1] = v;
        lines[32] = "AUTO_CLOSE_YES";
        return lines;
    };
    for (const char* v : {"2100", "2101", "99999"}) {
        Read r(withVersion(v));
        EXPECT_EQ(r.outcome, ReadOutcome::NeedsNewerProgram) << v;
        EXPECT_TRUE(r.target.log.empty());
    }
    EXPECT_STREQ(defaultRefusalText(ReadOutcome::NeedsNewerProgram),
                 "Please donwload the latest version of Quillmap to open this file.");

    for (const char* v : {"2000", "2099"}) {
        Read r(withVersion(v));
        ASSERT_TRUE(r.loaded()) << v << r.error;
        EXPECT_TRUE(r.data.options.autoClose);
        EXPECT_EQ(r.record(2).CustomImage, "ftv2doc_1.gif");
    }

    for (const char* v : {"x2000", "", "20 00"}) {
        Read r(withVersion(v));
        EXPECT_EQ(r.error, "'" + std::string(v) + "' is not a valid integer value");
        EXPECT_TRUE(r.target.log.empty());
    }
    Read headerOnly(Lines{"Quillmap Project File"});
    EXPECT_EQ(headerOnly.error, "'' is not a valid integer value");
}

TEST(ProjectReader, OldVersionsHaveNoAutoCloseLine)
{
    // A 1999 file: the custom-images marker follows the styles directly.
    Lines lines = exampleLines();
    lines[1] = "1999";
    lines.erase(lines.begin() + 32);  // the auto-close line
    ProjectData data;
    data.options.autoClose = true;
    RecordingTarget target(data);
    ASSERT_EQ(readProject(lines, target), ReadOutcome::Loaded);
    EXPECT_FALSE(data.options.autoClose);
    EXPECT_TRUE(target.saw("autoclose off"));
    EXPECT_EQ(data.tree.itemAt(2)->record()->CustomImage, "ftv2doc_1.gif");

    // An auto-close line left in an old file is skipped unread; the marker after it is then
    // taken for the first custom image, and the block has one line too many.
    Lines stray = exampleLines();
    stray[1] = "-5";
    stray[32] = "AUTO_CLOSE_YES";
    Read r(stray);
    EXPECT_EQ(r.error, "Invalid index");
    EXPECT_FALSE(r.data.options.autoClose);
    EXPECT_EQ(r.record(0).CustomImage, "/---- * QMAP Cust IMG * ----/");
    EXPECT_EQ(r.record(2).CustomImage, "");
}

TEST(ProjectReader, TheCustomImagesMarkerIsSkippedByPosition)
{
    Lines lines = exampleLines();
    lines[33] = "anything at all";
    Read r(lines);
    ASSERT_TRUE(r.loaded()) << r.error;
    EXPECT_EQ(r.record(2).CustomImage, "ftv2doc_1.gif");
}

// Every length the example can be cut to, and what reading it gives.
TEST(ProjectReader, AFileCutShortEndsInAClearOutcomeAtEveryLine)
{
    const Lines full = exampleLines();
    for (std::size_t keep = 0; keep <= full.size(); ++keep) {
        SCOPED_TRACE("lines kept: " + std::to_string(keep));
        Read r(Lines(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(keep)));
        if (keep == 0) {
            EXPECT_EQ(r.outcome, ReadOutcome::NotAProject);
        } else if (keep == 1) {
            EXPECT_EQ(r.error, "'' is not a valid integer value");
        } else if (keep <= 21) {
            const char* marker = keep <= 5    ? project_format::ImagesMarker
                                 : keep <= 9  ? project_format::LinksMarker
                                 : keep <= 13 ? project_format::TargetsMarker
                                 : keep <= 17 ? project_format::OpenFoldersMarker
                                              : project_format::OptionsMarker;
            EXPECT_EQ(r.error, missing(marker));
            EXPECT_TRUE(r.target.log.empty()) << "nothing may change before the whole layout is found";
        } else if (keep <= 28) {
            // The first colour that is missing reads as an empty line and is refused.
            EXPECT_EQ(r.error, "'' is not a valid colour");
            EXPECT_EQ(r.data.tree.size(), 3u);
            EXPECT_EQ(r.record(1).OpenState, "1");
            EXPECT_EQ(r.data.options.targetFrame, keep >= 23 ? "main_frame" : "");
            EXPECT_EQ(r.data.options.useTextLinks, keep >= 24);
            EXPECT_EQ(r.target.last(), keep >= 25 ? "color " + std::to_string(keep - 25) + "=" +
                                                 ColorToHtml(std::array<Rgb, 5>{Rgb{255, 255, 255}, Rgb{0, 0, 0},
                                                                                Rgb{0, 0, 255}, Rgb{0, 0, 255},
                                                                                Rgb{255, 0, 0}}[keep - 25])
                                           : (keep == 24 ? "textlinks on" : "textlinks off"));
        } else if (keep <= 31) {
            EXPECT_EQ(r.error, "'' is not a valid integer value");
            EXPECT_TRUE(r.target.saw("color 4=#FF0000"));
            EXPECT_FALSE(r.target.saw("autoclose off"));
        } else {
            ASSERT_TRUE(r.loaded()) << r.error;
            EXPECT_FALSE(r.data.options.autoClose);
            EXPECT_EQ(r.record(2).CustomImage, keep >= 37 ? "ftv2doc_1.gif" : "");
            EXPECT_EQ(r.target.saw("custom Root Folder="), keep >= 35);
        }
    }
}

TEST(ProjectReader, OutlineEdgeCases)
{
    // A blank outline line is an extra top-level item; the first line is top level however it
    // is indented; blanks and TABs both indent.
    Lines lines = {"Quillmap Project File", "2000", "\t\t  First", " child", "\t grandchild", "", "\tThird  "};
    lines.push_back(project_format::ImagesMarker);
    for (const char* marker : {project_format::LinksMarker, project_format::TargetsMarker,
                               project_format::OpenFoldersMarker, project_format::OptionsMarker})
        lines.push_back(marker);
    for (const char* option : {"f", "Use_TextLinks", "#010101", "#020202", "#030303", "#040404", "#050505", "1",
                               "2", "3", "AUTO_CLOSE_YES"})
        lines.push_back(option);
    Read r(lines);
    ASSERT_TRUE(r.loaded()) << r.error;
    EXPECT_EQ(describe(r.data.tree), (std::vector<std::string>{"0|First|0||||", "1|child|0||||", "2|grandchild|0||||",
                                                                "0||0||||", "1|Third  |0||||"}));
    EXPECT_EQ(r.data.tree.topLevel().size(), 2u);
    EXPECT_TRUE(r.data.options.autoClose);
    EXPECT_EQ(r.data.options.look.activatedLinkStyle, 3);
}

TEST(ProjectReader, IndentingTooDeepKeepsTheItemsPlacedSoFarWithEmptyRecords)
{
    Lines lines = exampleLines();
    lines[4] = "\t\t\tReadme";
    ProjectData data;
    addItem(data.tree, nullptr, "old", ClosedFolderImage, TMyRec::folderDefaults());
    RecordingTarget target(data);
    try {
        readProject(lines, target);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Invalid level (3) for item \"Readme\"");
    }
    EXPECT_EQ(target.log, (std::vector<std::string>{"outline 2"}));
    EXPECT_EQ(describe(data.tree), (std::vector<std::string>{"0|Root Folder|0||||", "1|Docs|0||||"}));
    EXPECT_EQ(data.options, ProjectOptions{});
}

TEST(ProjectReader, AMissingMarkerLeavesTheTreeAsItWas)
{
    Lines lines = exampleLines();
    lines[17] = "/---- * QMAP OpenFolder * ----/";
    ProjectData data;
    addItem(data.tree, nullptr, "old", ClosedFolderImage, TMyRec::folderDefaults());
    RecordingTarget target(data);
    EXPECT_THROW(
        {
            try {
                readProject(lines, target);
            } catch (const Error& e) {
                EXPECT_EQ(e.what(), missing(project_format::OpenFoldersMarker));
                throw;
            }
        },
        Error);
    EXPECT_EQ(describe(data.tree), (std::vector<std::string>{"0|old|0||0|0|"}));
}

TEST(ProjectReader, BlocksLongerOrShorterThanTheTree)
{
    Lines longer = exampleLines();
    longer.insert(longer.begin() + 13, "extra.html");  // a fourth URL for three items
    Read r(longer);
    EXPECT_EQ(r.error, "Invalid index");
    EXPECT_EQ(r.record(2).URL, "readme.html");
    EXPECT_FALSE(r.target.saw("target Root Folder=0"));

    Lines shorter = exampleLines();
    shorter.erase(shorter.begin() + 16);  // Readme's target
    shorter.erase(shorter.begin() + 8);   // Readme's kind
    Read s(shorter);
    ASSERT_TRUE(s.loaded()) << s.error;
    EXPECT_EQ(s.data.tree.itemAt(2)->imageIndex, ClosedFolderImage);
    EXPECT_EQ(s.record(2).Target, "");
    EXPECT_EQ(s.record(2).URL, "readme.html");

    Lines longImages = exampleLines();
    longImages.insert(longImages.begin() + 37, "ftv2doc_9.gif");
    Read c(longImages);
    EXPECT_EQ(c.error, "Invalid index");
    EXPECT_EQ(c.record(2).CustomImage, "ftv2doc_1.gif");
}

TEST(ProjectReader, BadNumbersAndColoursStopWhereTheyStand)
{
    Lines kind = exampleLines();
    kind[7] = "folder";
    Read k(kind);
    EXPECT_EQ(k.error, "'folder' is not a valid integer value");
    EXPECT_EQ(k.target.last(), "image Root Folder=0");

    Lines color = exampleLines();
    color[26] = "#00GG00";
    Read c(color);
    EXPECT_EQ(c.error, "'#00GG00' is not a valid colour");
    EXPECT_EQ(c.target.last(), "color 1=#000000");
    EXPECT_EQ(c.data.options.look.linkColor, (Rgb{0, 0, 255}));

    Lines style = exampleLines();
    style[30] = "1.5";
    Read s(style);
    EXPECT_EQ(s.error, "'1.5' is not a valid integer value");
    EXPECT_EQ(s.target.last(), "style 0=0");
}

TEST(ProjectReader, OptionWordsMustMatchExactly)
{
    for (const char* word : {"use_textlinks", "Use_TextLinks ", "NO_TextLinks", ""}) {
        Lines lines = exampleLines();
        lines[23] = word;
        lines[32] = std::string(word) == "NO_TextLinks" ? "AUTO_CLOSE_NO" : "auto_close_yes";
        Read r(lines);
        ASSERT_TRUE(r.loaded()) << r.error;
        EXPECT_FALSE(r.data.options.useTextLinks) << word;
        EXPECT_FALSE(r.data.options.autoClose);
    }
}

TEST(ProjectReader, StylesThatNameNoEntryLeaveNoSelection)
{
    Lines lines = exampleLines();
    lines[29] = "-1";
    lines[30] = "4";
    lines[31] = "3";
    Read r(lines);
    ASSERT_TRUE(r.loaded()) << r.error;
    EXPECT_TRUE(r.target.saw("style 1=4")) << "the target sees the number as read";
    EXPECT_EQ(r.data.options.look.linkStyle, -1);
    EXPECT_EQ(r.data.options.look.visitedLinkStyle, -1);
    EXPECT_EQ(r.data.options.look.activatedLinkStyle, 3);
    const Lines written = projectLines(r.data.tree, r.data.options);
    EXPECT_EQ(written[29], "-1");
    EXPECT_EQ(written[30], "-1");
}

TEST(ProjectReader, ValuesEqualToAClosingMarkerEndTheirBlockEarly)
{
    // A top-level caption equal to the images marker ends the outline; the lines after it are
    // taken for the item kinds, for which there are no items.
    Lines caption = exampleLines();
    caption[2] = project_format::ImagesMarker;
    Read c(caption);
    EXPECT_EQ(c.error, "Invalid index");
    EXPECT_EQ(c.target.log, (std::vector<std::string>{"outline 0"}));

    // A link equal to the targets marker ends the links; the rest spills into the targets.
    Lines link = exampleLines();
    link[11] = project_format::TargetsMarker;  // the link of Docs
    Read u(link);
    EXPECT_EQ(u.error, "Invalid index");
    EXPECT_EQ(u.record(0).URL, "");
    EXPECT_EQ(u.record(0).Target, "readme.html");
    EXPECT_EQ(u.record(1).Target, project_format::TargetsMarker);

    // A custom image equal to the end marker ends the custom images; the load completes.
    Lines image = exampleLines();
    image[34] = project_format::EndMarker;  // the custom image of the root
    Read e(image);
    ASSERT_TRUE(e.loaded()) << e.error;
    EXPECT_EQ(e.record(2).CustomImage, "");
    EXPECT_FALSE(e.target.saw("custom Root Folder=/---- *END IMG* ----/"));
}

// The writer never makes such a file: a value equal to its block's closing marker gets one
// trailing blank and reads back as a text.
TEST(ProjectWriter, ValuesEqualToAClosingMarkerStayTexts)
{
    namespace f = project_format;
    ItemTree tree;
    buildExampleTree(tree);
    tree.root()->caption = f::ImagesMarker;
    tree.itemAt(1)->caption = f::ImagesMarker;  // indented: its line is no marker line
    TMyRec& docs = *tree.itemAt(1)->record();
    docs = {f::TargetsMarker, f::OpenFoldersMarker, f::OptionsMarker, f::EndMarker};
    tree.itemAt(2)->record()->URL = f::ImagesMarker;  // no marker closes the links there
    Read r(projectLines(tree, ProjectOptions{}));
    ASSERT_TRUE(r.loaded()) << r.error;
    EXPECT_EQ(describe(r.data.tree),
              (std::vector<std::string>{std::string("0|") + f::ImagesMarker + " |0||0|0|",
                                        std::string("1|") + f::ImagesMarker + "|0|" + f::TargetsMarker + " |" +
                                            f::OpenFoldersMarker + " |" + f::OptionsMarker + " |" + f::EndMarker + " ",
                                        std::string("2|Readme|2|") + f::ImagesMarker + "|1|-1|ftv2doc_1.gif"}));
}

TEST(ProjectReader, CustomImagesMayRunToTheEndOfTheFile)
{
    Lines lines = exampleLines();
    lines.pop_back();
    Read r(lines);
    ASSERT_TRUE(r.loaded()) << r.error;
    EXPECT_EQ(r.record(2).CustomImage, "ftv2doc_1.gif");
}

TEST(ProjectReader, AnEmptyOutlineClearsTheTreeAndAppliesTheOptions)
{
    ItemTree none;
    ProjectOptions options;
    options.targetFrame = "other";
    options.look.textColor = {9, 9, 9};
    ProjectData data;
    addItem(data.tree, nullptr, "old", ClosedFolderImage, TMyRec::folderDefaults());
    ProjectDataTarget target(data);
    ASSERT_EQ(readProject(projectLines(none, options), target), ReadOutcome::Loaded);
    EXPECT_TRUE(data.tree.empty());
    EXPECT_EQ(data.options, options);
}

TEST(ProjectReader, LongLinesComeBackWhole)
{
    ItemTree tree;
    buildExampleTree(tree);
    tree.itemAt(0)->caption = std::string(5000, 'c');
    tree.itemAt(2)->record()->URL = std::string(100000, 'u') + "tail";
    const std::string text = joinLinesCrLf(projectLines(tree, ProjectOptions{}));
    ProjectData data;
    ProjectDataTarget target(data);
    ASSERT_EQ(readProjectText(text, target), ReadOutcome::Loaded);
    EXPECT_TRUE(data.tree.itemAt(0)->caption == tree.itemAt(0)->caption);
    EXPECT_TRUE(data.tree.itemAt(2)->record()->URL == tree.itemAt(2)->record()->URL);
    EXPECT_EQ(data.tree.itemAt(1)->caption, "Docs");
}

TEST(ProjectReader, FileThatCannotBeOpenedNamesIt)
{
    ProjectData data;
    const std::string path = "/nonexistent/quillmap/none.qmp";
    try {
        readProjectData(path, data);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + path + ": no such file");
    }
}
