#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>

#include "text/Error.h"
#include "lang/LanguageFile.h"

using namespace quillmap;
using ::testing::HasSubstr;

namespace {

std::string errorOf(const LanguageFile& file, std::size_t n)
{
    try {
        file.line(n);
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(LanguageFile, SplitsAtEveryKindOfLineEndAndKeepsLinesAsTheyStand)
{
    const auto file = LanguageFile::fromBytes("a\r\n b \rc\n\n&Yes\r\n\r\nlast");
    ASSERT_EQ(file.lineCount(), 7u);
    EXPECT_EQ(file.line(0), "a");
    EXPECT_EQ(file.line(1), " b ");
    EXPECT_EQ(file.line(2), "c");
    EXPECT_EQ(file.line(3), "");
    EXPECT_EQ(file.line(4), "&Yes");
    EXPECT_EQ(file.line(5), "");
    EXPECT_EQ(file.line(6), "last");
}

TEST(LanguageFile, LineEndAtTheVeryEndStartsNoExtraLine)
{
    EXPECT_EQ(LanguageFile::fromBytes("x\r\ny\r\n").lineCount(), 2u);
    EXPECT_EQ(LanguageFile::fromBytes("x\r\n\r\n").lineCount(), 2u);
    EXPECT_EQ(LanguageFile::fromBytes("").lineCount(), 0u);
}

TEST(LanguageFile, NulByteEndsTheText)
{
    using namespace std::string_literals;
    const auto file = LanguageFile::fromBytes("one\r\ntw\0o\r\nthree\r\n"s);
    ASSERT_EQ(file.lineCount(), 2u);
    EXPECT_EQ(file.line(1), "tw");
    EXPECT_EQ(LanguageFile::fromBytes("\0abc"s).lineCount(), 0u);
}

TEST(LanguageFile, EightBitBytesPassThroughUnchanged)
{
    const auto file = LanguageFile::fromBytes("\xC4nderung \xFC\xDF\n");
    EXPECT_EQ(file.line(0), "\xC4nderung \xFC\xDF");
}

TEST(LanguageFile, MissingLineNamesItsIndexAndTheShortFile)
{
    const auto file = LanguageFile::fromBytes("a\nb\nc\n");
    const std::string text = errorOf(file, 45);
    EXPECT_THAT(text, HasSubstr("List index out of bounds (45)"));
    EXPECT_THAT(text, HasSubstr("Lang.ini"));
    EXPECT_THAT(text, HasSubstr("3 lines"));
    EXPECT_THAT(errorOf(file, 3), HasSubstr("(3)"));
    EXPECT_EQ(errorOf(file, 2), "");
}

TEST(LanguageFile, HelpLineTurnsBackslashNOfEitherCaseIntoLineBreaks)
{
    EXPECT_EQ(helpTextFromLine("one\\ntwo\\Nthree"), "one\r\ntwo\r\nthree");
    EXPECT_EQ(helpTextFromLine("\\n"), "\r\n");
    EXPECT_EQ(helpTextFromLine("keep \\t and \\ and trailing \\"), "keep \\t and \\ and trailing \\");
    // The backslash before the pair stays; only the pair becomes a break.
    EXPECT_EQ(helpTextFromLine("a\\\\nb"), "a\\\r\nb");
    EXPECT_EQ(helpTextFromLine(""), "");
}

TEST(LanguageFile, TitleTextIsProductBlankVersion)
{
    EXPECT_EQ(makeTitleText("Produkt", "3.1"), "Produkt 3.1");
    EXPECT_EQ(makeTitleText("", ""), " ");
}

TEST(LanguageFile, LoadsFromDiskAndReportsAnUnreadableFile)
{
    const auto folder = std::filesystem::temp_directory_path() / "quillmap_lang_test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = languageFilePath(folder);
    EXPECT_EQ(path, folder / "Lang.ini");
    EXPECT_FALSE(languageFileExists(path));

    { std::ofstream(path, std::ios::binary) << "zero\r\none"; }
    EXPECT_TRUE(languageFileExists(path));
    EXPECT_EQ(LanguageFile::load(path).line(1), "one");

    // A folder by that name is no language file; a FIFO is one that cannot be read, refused at
    // once instead of waiting for a writer.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(languageFileExists(path));
    std::filesystem::remove(path);
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_TRUE(languageFileExists(path));
    try {
        LanguageFile::load(path);
        ADD_FAILURE() << "a FIFO was read";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + pathText(path) + ": it is no regular file");
    }
#endif
    std::filesystem::remove_all(folder);
}

TEST(LanguageFile, EncodingIsTakenFromTheWholeFile)
{
    struct Case {
        std::string bytes;
        TextEncoding encoding;
    } cases[] = {
        {"Caf\xC3\xA9\r\n\xC3\x9C" "bernehmen", TextEncoding::Utf8},
        {"Caf\xE9\r\n\xC3\x9C" "bernehmen", TextEncoding::CodePage},
        {"plain\r\n", TextEncoding::Utf8},
        // Bytes after a NUL are no part of the text.
        {std::string("ok\0\xFF", 4), TextEncoding::Utf8},
    };
    for (const Case& c : cases) EXPECT_EQ(LanguageFile::fromBytes(c.bytes).encoding(), c.encoding) << c.bytes;
    EXPECT_EQ(LanguageFile::fromBytes("Caf\xE9").line(0), "Caf\xE9");
}
