#include "generator/MenuPages.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "text/Error.h"
#include "text/TextEncoding.h"
#include "text/TextFile.h"
#include "generator/MenuBuild.h"
#include "generator/MenuEntries.h"
#include "generator/PageMenu.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {

// How a page's bytes hold text: ASCII-compatible (UTF-8 or another charset), or UTF-16.
struct PageForm {
    bool utf8 = false;     // the menu may go in as UTF-8; otherwise as character references
    int unit = 1;          // 2 for UTF-16
    bool bigEndian = false;

    std::string encode(std::string_view ascii) const
    {
        if (unit == 1) return std::string(ascii);
        std::string out;
        out.reserve(ascii.size() * 2);
        for (const char c : ascii) {
            out += bigEndian ? '\0' : c;
            out += bigEndian ? c : '\0';
        }
        return out;
    }

    // The first place of what at or after from that starts a character.
    std::size_t find(std::string_view page, std::string_view what, std::size_t from) const
    {
        for (std::size_t at = page.find(what, from); at != std::string_view::npos; at = page.find(what, at + 1))
            if (at % static_cast<std::size_t>(unit) == 0) return at;
        return std::string_view::npos;
    }
};

std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The charset a page declares in a <meta> of its first 1024 bytes, as browsers look for it.
std::string declaredCharset(std::string_view page)
{
    const std::string head = lowerAscii(page.substr(0, 1024));
    for (std::size_t meta = head.find("<meta"); meta != std::string::npos; meta = head.find("<meta", meta + 1)) {
        const std::size_t end = std::min(head.find('>', meta), head.size());
        const std::size_t at = head.find("charset", meta);
        if (at >= end) continue;
        std::size_t i = at + 7;
        const auto skip = [&](std::string_view chars) {
            while (i < end && chars.find(head[i]) != std::string_view::npos) ++i;
        };
        skip(" \t\r\n\f");
        if (i >= end || head[i] != '=') continue;
        ++i;
        skip(" \t\r\n\f\"'");
        const std::size_t start = i;
        skip("abcdefghijklmnopqrstuvwxyz0123456789-_.:");
        return head.substr(start, i - start);
    }
    return {};
}

PageForm formOf(std::string_view page)
{
    if (page.starts_with("\xEF\xBB\xBF")) return {true, 1, false};
    if (page.starts_with("\xFF\xFE")) return {true, 2, false};
    if (page.starts_with("\xFE\xFF")) return {true, 2, true};
    const std::string charset = declaredCharset(page);
    // A page cannot declare UTF-16 in its markup: browsers read that as UTF-8.
    for (const char* name : {"utf-8", "utf8", "unicode-1-1-utf-8", "unicode11utf8", "unicode20utf8",
                             "x-unicode20utf8", "utf-16", "utf-16le", "utf-16be", "unicode", "ucs-2"})
        if (charset == name) return {true, 1, false};
    return {};
}

// The page's first line end, CR LF when it has none.
std::string_view lineEndOf(std::string_view page, const PageForm& form)
{
    const std::size_t step = static_cast<std::size_t>(form.unit), low = form.bigEndian ? 1 : 0;
    for (std::size_t i = 0; i + step <= page.size(); i += step) {
        const bool wide = step == 1 || page[i + 1 - low] == '\0';
        const char c = page[i + low];
        if (!wide || (c != '\r' && c != '\n')) continue;
        if (c == '\n') return "\n";
        return i + 2 * step <= page.size() && page[i + step + low] == '\n' ? "\r\n" : "\r";
    }
    return "\r\n";
}

// The menu for the page: its line ends, and outside UTF-8 every other character as a reference.
std::string menuForPage(std::string_view menu, std::string_view lineEnd, bool utf8)
{
    if (lineEnd == "\r\n" && utf8) return std::string(menu);
    std::string text;
    text.reserve(menu.size() + menu.size() / 8);
    const auto special = [utf8](char c) { return c == '\r' || (!utf8 && static_cast<unsigned char>(c) >= 0x80); };
    auto at = menu.begin();
    while (at != menu.end()) {
        const auto stop = std::find_if(at, menu.end(), special);
        text.append(at, stop);
        if (stop == menu.end()) break;
        if (*stop == '\r') {
            text += lineEnd;
            at = stop + 1;
            if (at != menu.end() && *at == '\n') ++at;
            continue;
        }
        auto end = stop + 1;
        while (end != menu.end() && (static_cast<unsigned char>(*end) & 0xC0) == 0x80) ++end;
        for (const char32_t c : decodeText(std::string_view(&*stop, static_cast<std::size_t>(end - stop)), TextEncoding::Utf8)) {
            char reference[16];
            std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(c));
            text += reference;
        }
        at = end;
    }
    return text;
}

// Where the menu goes in a page: after its first start marker.
struct MarkedPage {
    PageForm form;
    std::size_t from;  // the end of the start marker
};

std::optional<MarkedPage> findMarker(std::string_view page)
{
    const PageForm form = formOf(page);
    const std::size_t opening = form.find(page, form.encode(MenuStartMarker), 0);
    if (opening == std::string_view::npos) return std::nullopt;
    return MarkedPage{form, opening + MenuStartMarker.size() * static_cast<std::size_t>(form.unit)};
}

std::string placeMenu(std::string_view page, const MarkedPage& marked, std::string_view menu)
{
    const PageForm& form = marked.form;
    const std::string end = form.encode(MenuEndMarker);
    const std::size_t closing = form.find(page, end, marked.from);
    const std::string_view lineEnd = lineEndOf(page, form);
    std::string text;
    text.reserve(page.size() + menu.size() * static_cast<std::size_t>(form.unit));
    text.append(page.substr(0, marked.from));
    text += form.encode(lineEnd);
    text += form.encode(menuForPage(menu, lineEnd, form.utf8 && form.unit == 1));
    text += end;
    text += page.substr(closing == std::string_view::npos ? marked.from : closing + end.size());
    return text;
}

bool isPageName(const fs::path& name)
{
    const std::string extension = lowerAscii(pathText(name.extension()));
    return extension == ".html" || extension == ".htm" || extension == ".xhtml" || extension == ".shtml";
}

// A page's place in the site, '/'-separated.
std::string sitePath(const fs::path& relative)
{
    std::string text = pathText(relative);
#ifdef _WIN32
    std::replace(text.begin(), text.end(), '\\', '/');
#endif
    return text;
}

}  // namespace

std::optional<std::string> pageWithMenu(std::string_view page, std::string_view menu)
{
    const std::optional<MarkedPage> marked = findMarker(page);
    if (!marked) return std::nullopt;
    return placeMenu(page, *marked, menu);
}

MenuPagesReport writeMenuIntoPages(const ItemTree& tree, const GlobalOptions& options, const fs::path& siteFolder,
                                   std::string_view menuInSite, PagesMode mode)
{
    MenuPagesReport report;
    const MenuEntries entries = ReadMenuEntries(tree, options);

    // The pages in the order of their folders, so that each folder's links are made once.
    std::vector<std::pair<std::string, std::string>> pages;  // folder, name
    std::error_code ec;
    fs::recursive_directory_iterator walk(siteFolder, fs::directory_options::skip_permission_denied, ec);
    if (ec) throw Error("Cannot read folder " + pathText(siteFolder) + ": " + ec.message());
    for (const fs::recursive_directory_iterator end; walk != end; walk.increment(ec)) {
        if (ec) break;
        const fs::path& path = walk->path();
        const fs::file_status status = walk->symlink_status(ec);
        if (ec || !isPageName(path.filename()) || fs::is_directory(status)) continue;
        const std::string place = sitePath(path.lexically_relative(siteFolder));
        if (fs::is_symlink(status)) {
            report.skipped.push_back({place, "a link: not followed"});
            continue;
        }
        if (!fs::is_regular_file(status)) continue;
        const std::size_t slash = place.rfind('/');
        std::string folder = slash == std::string::npos ? std::string() : place.substr(0, slash);
        if (folder == menuInSite && (IsGeneratedFile(path.filename()) || path.filename() == SiteTestPageFileName))
            continue;
        pages.emplace_back(std::move(folder), place);
    }
    if (ec) throw Error("Cannot read folder " + pathText(siteFolder) + ": " + ec.message());
    std::sort(pages.begin(), pages.end());

    PageMenu menu(entries, options, menuInSite);
    for (const auto& [folder, place] : pages) {
        const fs::path path = siteFolder / pathFromText(place);
        try {
            const std::string page = readWholeFile(path);
            const std::optional<MarkedPage> marked = findMarker(page);
            if (!marked) continue;
            const std::string written = placeMenu(page, *marked, menu.render(place));
            if (written == page) {
                report.unchanged.push_back(place);
                continue;
            }
            if (mode == PagesMode::Write) saveTextFile(path, written);
            report.changed.push_back(place);
        } catch (const std::exception& e) {
            report.failed.push_back({place, e.what()});
        }
    }
    return report;
}

}  // namespace quillmap
