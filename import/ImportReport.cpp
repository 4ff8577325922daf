#include "import/ImportReport.h"

#include <array>

namespace quillmap {

namespace {

struct ReasonText {
    SkipReason reason;
    const char* one;
    const char* many;
};

constexpr std::array<ReasonText, 10> ReasonTexts{{
    {SkipReason::Hidden, "hidden file or folder", "hidden files or folders"},
    {SkipReason::EmptyFolder, "folder without pages", "folders without pages"},
    {SkipReason::LinkLoop, "link to a folder already read", "links to folders already read"},
    {SkipReason::Unreadable, "unreadable entry", "unreadable entries"},
    {SkipReason::NotAFile, "page name that is no file", "page names that are no files"},
    {SkipReason::NotAPage, "binary file with a page name", "binary files with page names"},
    {SkipReason::OtherSite, "address of another site", "addresses of other sites"},
    {SkipReason::BadAddress, "entry that is no web address", "entries that are no web addresses"},
    {SkipReason::Duplicate, "address listed twice", "addresses listed twice"},
    {SkipReason::NotLocal, "sitemap not found beside the index", "sitemaps not found beside the index"},
}};

constexpr std::size_t ExamplesShown = 3;

std::string plural(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::size_t ImportReport::count(SkipReason reason) const
{
    std::size_t n = 0;
    for (const SkippedEntry& s : skipped) n += s.reason == reason;
    return n;
}

std::string ImportReport::summary() const
{
    std::string text = "Added " + plural(pages, "page", "pages") + " in " + plural(folders, "folder", "folders") + ".";
    for (const ReasonText& r : ReasonTexts) {
        std::string examples;
        std::size_t n = 0;
        for (const SkippedEntry& s : skipped) {
            if (s.reason != r.reason) continue;
            if (n++ < ExamplesShown)
                examples += (examples.empty() ? "" : ", ") + s.name + (s.detail.empty() ? "" : " (" + s.detail + ")");
        }
        if (n == 0) continue;
        if (n > ExamplesShown) examples += ", ...";
        text += "\nSkipped " + plural(n, r.one, r.many) + ": " + examples;
    }
    return text;
}

}  // namespace quillmap
