#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "text/Error.h"
#include "lang/WindowTexts.h"

using namespace quillmap;
using ::testing::HasSubstr;

namespace {

// A file of n lines whose line i reads "L<i>".
LanguageFile numberedFile(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i) text += "L" + std::to_string(i) + "\r\n";
    return LanguageFile::fromBytes(text);
}

template <class Target>
struct Applied {
    std::vector<std::tuple<Target, int, std::string>> texts;
    std::string error;
    TextSetter<Target> setter()
    {
        return [this](Target t, int entry, const std::string& text) { texts.emplace_back(t, entry, text); };
    }
};

template <class Target, class Apply>
Applied<Target> run(const LanguageFile& file, Apply apply)
{
    Applied<Target> result;
    try {
        apply(file, result.setter());
    } catch (const Error& e) {
        result.error = e.what();
    }
    return result;
}

Applied<MainText> runMain(const LanguageFile& f) { return run<MainText>(f, applyMainWindowLanguage); }
Applied<ColorsText> runColors(const LanguageFile& f) { return run<ColorsText>(f, applyColorsWindowLanguage); }
Applied<PromptText> runPrompt(const LanguageFile& f) { return run<PromptText>(f, applyPromptLanguage); }

}  // namespace

TEST(WindowTexts, ReadingOrdersCoverEveryUsedLineAndNoFreeLine)
{
    std::set<int> used;
    for (const auto& s : MainWindowReadingOrder) used.insert(s.line);
    for (const auto& s : ColorsWindowReadingOrder) used.insert(s.line);
    for (const auto& s : PromptReadingOrder) used.insert(s.line);
    const std::set<int> freeLines{0, 1, 2, 3, 4, 5, 6, 23, 29, 43, 46, 50, 58, 62, 74, 78};
    for (int line = 0; line <= 80; ++line)
        EXPECT_NE(used.count(line), freeLines.count(line)) << "line " << line;
    EXPECT_EQ(*used.rbegin(), 80);

    // The seventeen message texts are numbered 1 to 17 in line order.
    int expected = 1;
    for (const auto& s : MainWindowReadingOrder) {
        if (s.target == MainText::Message) {
            EXPECT_EQ(s.entry, expected++);
        }
    }
    EXPECT_EQ(expected, 18);
}

TEST(WindowTexts, CompleteFileSetsEveryTextInReadingOrder)
{
    const auto file = numberedFile(81);
    const auto main = runMain(file);
    EXPECT_EQ(main.error, "");
    ASSERT_EQ(main.texts.size(), MainWindowReadingOrder.size());
    EXPECT_EQ(main.texts[0], std::make_tuple(MainText::btnAddFolder, 0, std::string("L7")));
    EXPECT_EQ(main.texts[16], std::make_tuple(MainText::VersionText, 0, std::string("L45")));
    EXPECT_EQ(main.texts[17], std::make_tuple(MainText::TitleText, 0, std::string("L44 L45")));
    EXPECT_EQ(main.texts[18], std::make_tuple(MainText::Message, 1, std::string("L47")));
    EXPECT_EQ(main.texts.back(), std::make_tuple(MainText::mnuSaveAs, 0, std::string("L80")));

    const auto colors = runColors(file);
    EXPECT_EQ(colors.error, "");
    ASSERT_EQ(colors.texts.size(), 21u);
    // Line 37 gives entry 0 of all three style lists before line 38 is read.
    EXPECT_EQ(colors.texts[7], std::make_tuple(ColorsText::boxLinkStyleEntry, 0, std::string("L37")));
    EXPECT_EQ(colors.texts[8], std::make_tuple(ColorsText::boxVisitedLinkStyleEntry, 0, std::string("L37")));
    EXPECT_EQ(colors.texts[9], std::make_tuple(ColorsText::boxActivatedLinkStyleEntry, 0, std::string("L37")));
    EXPECT_EQ(colors.texts[18], std::make_tuple(ColorsText::boxActivatedLinkStyleEntry, 3, std::string("L40")));
    EXPECT_EQ(colors.texts.back(), std::make_tuple(ColorsText::Caption, 0, std::string("L42")));

    const auto prompt = runPrompt(file);
    EXPECT_EQ(prompt.error, "");
    ASSERT_EQ(prompt.texts.size(), 6u);
    EXPECT_EQ(prompt.texts.back(), std::make_tuple(PromptText::Caption, 0, std::string("L44")));
}

TEST(WindowTexts, ThirtyLineFileStopsEachWindowAtItsFirstMissingLine)
{
    const auto file = numberedFile(30);

    const auto main = runMain(file);
    EXPECT_THAT(main.error, HasSubstr("(45)"));
    ASSERT_EQ(main.texts.size(), 16u);  // lines 7 to 22
    EXPECT_EQ(std::get<0>(main.texts.back()), MainText::btnMoreHelp);

    const auto colors = runColors(file);
    EXPECT_THAT(colors.error, HasSubstr("(30)"));
    EXPECT_TRUE(colors.texts.empty());

    const auto prompt = runPrompt(file);
    EXPECT_THAT(prompt.error, HasSubstr("(44)"));
    ASSERT_EQ(prompt.texts.size(), 5u);  // lines 24 to 28, not the caption
    EXPECT_EQ(prompt.texts[4], std::make_tuple(PromptText::chkNeverAsk, 0, std::string("L28")));
}

TEST(WindowTexts, FortySixLineFileSetsTitleButKeepsDefaultMessages)
{
    const auto file = numberedFile(46);

    const auto main = runMain(file);
    EXPECT_THAT(main.error, HasSubstr("(47)"));
    ASSERT_EQ(main.texts.size(), 18u);
    EXPECT_EQ(main.texts[16], std::make_tuple(MainText::VersionText, 0, std::string("L45")));
    EXPECT_EQ(main.texts[17], std::make_tuple(MainText::TitleText, 0, std::string("L44 L45")));
    for (const auto& t : main.texts) EXPECT_NE(std::get<0>(t), MainText::Message);

    EXPECT_EQ(runColors(file).error, "");
    EXPECT_EQ(runColors(file).texts.size(), 21u);
    EXPECT_EQ(runPrompt(file).error, "");
    EXPECT_EQ(runPrompt(file).texts.size(), 6u);
}

TEST(WindowTexts, HelpLineAndEmptyLinesReachTheMainWindowAsTheyShould)
{
    std::vector<std::string> lines(81, "x");
    lines[9] = "";  // an empty caption is applied, not skipped
    lines[21] = "first\\nsecond\\Nthird";
    lines[44] = "Produkt";
    lines[45] = "3.1";
    std::string text;
    for (const auto& l : lines) text += l + "\n";
    const auto main = runMain(LanguageFile::fromBytes(text));
    ASSERT_EQ(main.error, "");
    EXPECT_EQ(main.texts[2], std::make_tuple(MainText::btnRemove, 0, std::string("")));
    EXPECT_EQ(main.texts[14], std::make_tuple(MainText::Memo1, 0, std::string("first\r\nsecond\r\nthird")));
    EXPECT_EQ(main.texts[17], std::make_tuple(MainText::TitleText, 0, std::string("Produkt 3.1")));
}

TEST(WindowTexts, EmptyFileFailsAtTheFirstLineOfEachWindow)
{
    const auto empty = LanguageFile::fromBytes("");
    EXPECT_THAT(runMain(empty).error, HasSubstr("(7)"));
    EXPECT_THAT(runColors(empty).error, HasSubstr("(30)"));
    EXPECT_THAT(runPrompt(empty).error, HasSubstr("(24)"));
}

TEST(WindowTexts, LaterTextsAreReadWhenTheFileHasThem)
{
    // A file of the link check's first version ends at line 99 and loads as it did.
    EXPECT_EQ(runMain(numberedFile(100)).texts.back(), std::make_tuple(MainText::btnSiteFolder, 0, std::string("L99")));
    const auto main = runMain(numberedFile(117));
    EXPECT_EQ(main.error, "");
    EXPECT_EQ(main.texts.back(), std::make_tuple(MainText::btnCancel, 0, std::string("L116")));
}
