#include "import/ImportReport.h"

#include <array>

namespace quillmap {

namespace {

struct ReasonText {
    SkipReason reason;
    const char* one;
    const char* many;
};

constexpr std::array<ReasonText, 13> ReasonTexts{{
    {SkipReason::Hidden, "hidden file or folder", "hidden files or folders"},
    {SkipReason::EmptyFolder, "folder without pages", "folders without pages"},
    {SkipReason::LinkLoop, "link to a folder already read", "links to folders already read"},
    {SkipReason::OutsideSite, "link out of the site folder", "links out of the site folder"},
    {SkipReason::Unreadable, "unreadable entry", "unreadable entries"},
    {SkipReason::NotAFile, "page name that is no file", "page names that are no files"},
    {SkipReason::NotAPage, "binary file with a page name", "binary files with page names"},
    {SkipReason::OtherSite, "address of another site", "addresses of other sites"},
    {SkipReason::BadAddress, "entry that is no web address", "entries that are no web addresses"},
    {SkipReason::Duplicate, "address listed twice", "addresses listed twice"},
    {SkipReason::NotLocal, "sitemap not found beside the index", "sitemaps not found beside the index"},
    {SkipReason::TooDeep, "address more than 100 folders deep", "addresses more than 100 folders deep"},
    {SkipReason::OwnFile, "file or folder a Quillmap build wrote", "files or folders a Quillmap build wrote"},
}};

constexpr std::size_t ExamplesShown = 3;

std::string plural(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string visibleText(const std::string& text)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += Hex[c >> 4];
            out += Hex[c & 15];
        } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            const auto next = static_cast<unsigned char>(text[++i]);
            out += "\\u00";
            out += Hex[next >> 4];
            out += Hex[next & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::size_t ImportReport::count(SkipReason reason) const
{
    std::size_t n = 0;
    for (const SkippedEntry& s : skipped) n += s.reason == reason;
    return n;
}

std::string ImportReport::summary() const
{
    std::string text = "Added " + plural(pages, "page", "pages") + " in " + plural(folders, "folder", "folders") + ".";
    if (unlistedPages)
        text += "\n" + plural(*unlistedPages, "page", "pages") + " not in the contents page, after its entries in " +
                (*unlistedPages == 1 ? "its folder." : "their folders.");
    for (const std::string& part : removedFromTitles)
        text += "\nLeft \"" + visibleText(part) + "\" out of the captions, as most titles hold it.";
    for (const ReasonText& r : ReasonTexts) {
        std::string examples;
        std::size_t n = 0;
        for (const SkippedEntry& s : skipped) {
            if (s.reason != r.reason) continue;
            if (n++ < ExamplesShown)
                examples += (examples.empty() ? "" : ", ") + visibleText(s.name) +
                            (s.detail.empty() ? "" : " (" + visibleText(s.detail) + ")");
        }
        if (n == 0) continue;
        if (n > ExamplesShown) examples += ", ...";
        text += "\nSkipped " + plural(n, r.one, r.many) + ": " + examples;
    }
    return text;
}

}  // namespace quillmap
