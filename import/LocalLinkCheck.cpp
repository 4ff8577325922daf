#include "import/LocalLinkCheck.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "text/Error.h"
#include "text/TextFile.h"
#include "import/AsciiText.h"
#include "import/PageAnchors.h"
#include "import/RelativeLink.h"
#include "import/SiteFolderScan.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {

const char* const LeavesSite = "leaves the site folder";
const char* const LinkOutOfSite = "a symbolic link out of the site folder";

// Pages up to this size are read on every core at once; larger ones one at a time, so that the
// check never holds more than one large parse.
constexpr std::uintmax_t SharedReadSize = std::uintmax_t{1} << 20;

// Pages whose fragments are checked: those the server sends as they lie on disk.
bool isStaticPage(const fs::path& page)
{
    const std::string extension = asciiLower(pathText(page.extension()));
    return extension == ".html" || extension == ".htm" || extension == ".xhtml" || extension == ".shtml";
}

// The part of an absolute path inside the site folder, segments joined by '/'; false when the
// path lies outside it.
bool insideFolder(const fs::path& path, const fs::path& folder, std::string& inside)
{
    const fs::path relative = path.lexically_relative(folder);
    if (relative.empty() || *relative.begin() == "..") return false;
    inside = relative == "." ? std::string() : pathText(relative.generic_string());
    return true;
}

}  // namespace

LocalLinkCheck::Places LocalLinkCheck::placesOf(const fs::path& page)
{
    const Places tooLarge{{}, "the page is larger than " + std::to_string(MaxParsedPageSize >> 20) +
                                  " MB, too large to look for the fragment in"};
    std::error_code ec;
    if (fs::file_size(page, ec) > MaxParsedPageSize && !ec) return tooLarge;
    try {
        const std::string text = readWholeFile(page);
        if (text.size() > MaxParsedPageSize) return tooLarge;  // it grew in the meantime
        return {pageAnchors(text), {}};
    } catch (const Error&) {
        return {{}, "the page cannot be read"};
    }
}

bool LocalLinkCheck::leadsOut(const fs::path& path) const
{
    std::error_code ec;
    const fs::path resolved = fs::canonical(path, ec);
    return !ec && !liesIn(resolved, resolvedSite_);
}

LocalLinkCheck::LocalLinkCheck(const fs::path& siteFolder)
{
    std::error_code ec;
    if (!fs::is_directory(siteFolder, ec)) throw Error("Cannot open folder " + pathText(siteFolder));
    site_ = fs::absolute(siteFolder, ec).lexically_normal();
    if (!site_.has_filename() && site_.has_relative_path()) site_ = site_.parent_path();
    resolvedSite_ = fs::canonical(site_, ec);
}

const LocalLinkCheck::Target& LocalLinkCheck::find(const LinkAddress& link)
{
    static const Target leaves{LeavesSite, {}}, missing{"no such file", {}};
    std::string inside;
    bool wantsFolder = !link.path.empty() && link.path.back() == '/';
    if (link.absolute) {
        const fs::path path = pathFromText(decodeLinkSegment(link.path)).lexically_normal();
        std::error_code ec;
        if (!insideFolder(path, site_, inside) &&
            !insideFolder(fs::weakly_canonical(path, ec), fs::weakly_canonical(site_, ec), inside))
            return leaves;
    } else {
        // Segments resolve from the site folder whether the link starts with '/' or not: the
        // page that shows the menu lies there.
        std::size_t from = 0;
        while (from <= link.path.size()) {
            std::size_t to = link.path.find('/', from);
            if (to == std::string::npos) to = link.path.size();
            const std::string segment = decodeLinkSegment(std::string_view(link.path).substr(from, to - from));
            from = to + 1;
            if (segment.empty()) continue;
            wantsFolder = segment == "." || segment == "..";
            if (segment == "..") {
                if (inside.empty()) return leaves;
                const std::size_t slash = inside.rfind('/');
                inside.resize(slash == std::string::npos ? 0 : slash);
            }
            if (wantsFolder) continue;
            if (segment.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos) return missing;
            inside += (inside.empty() ? "" : "/") + segment;
        }
        wantsFolder = wantsFolder || link.path.back() == '/';
    }

    return target(inside, wantsFolder);
}

std::filesystem::path LocalLinkCheck::pageToSearch(const LinkAddress& link)
{
    // An empty fragment and "#top" lead to the top of any page.
    if (!link.hasFragment || link.fragment.empty() || asciiLower(link.fragment) == "top") return {};
    const Target& found = find(link);
    return found.problem.empty() && isStaticPage(found.page) ? found.page : fs::path();
}

void LocalLinkCheck::readPages(const std::vector<LinkAddress>& links)
{
    std::vector<fs::path> pages, largePages;
    for (const LinkAddress& link : links) {
        if (link.kind != LinkKind::Local) continue;
        const fs::path page = pageToSearch(link);
        if (page.empty() || !anchors_.try_emplace(pathText(page)).second) continue;
        std::error_code ec;
        (fs::file_size(page, ec) > SharedReadSize && !ec ? largePages : pages).push_back(page);
    }
    std::vector<Places> read(pages.size());
    std::atomic<std::size_t> next{0};
    const auto readSome = [&] {
        for (std::size_t i = next++; i < pages.size(); i = next++) read[i] = placesOf(pages[i]);
    };
    const std::size_t cores = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < std::min(cores, pages.size() / 32 + 1); ++i) helpers.emplace_back(readSome);
    readSome();
    for (std::thread& helper : helpers) helper.join();
    for (std::size_t i = 0; i < pages.size(); ++i) anchors_[pathText(pages[i])] = std::move(read[i]);
    for (const fs::path& page : largePages) anchors_[pathText(page)] = placesOf(page);
}

std::string LocalLinkCheck::problem(const LinkAddress& link)
{
    const fs::path page = pageToSearch(link);
    if (page.empty()) return find(link).problem;
    auto [it, added] = anchors_.try_emplace(pathText(page));
    if (added) it->second = placesOf(page);
    const Places& places = it->second;
    if (!places.problem.empty()) return places.problem;
    if (places.names.count(link.fragment) || places.names.count(decodeLinkSegment(link.fragment))) return {};
    return "no id or name \"" + link.fragment + "\" in the page";
}

const LocalLinkCheck::Target& LocalLinkCheck::target(const std::string& inside, bool wantsFolder)
{
    const auto [it, added] = targets_.try_emplace(inside + (wantsFolder ? "/" : ""));
    if (!added) return it->second;
    Target& found = it->second;
    const fs::path path = inside.empty() ? site_ : site_ / pathFromText(inside);
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::exists(status) && leadsOut(path)) {
        found.problem = LinkOutOfSite;
    } else if (fs::is_directory(status)) {
        for (const char* extension : PageExtensions) {
            const fs::path index = path / (std::string("index") + extension);
            if (fs::is_regular_file(index, ec)) {
                if (leadsOut(index))
                    found.problem = LinkOutOfSite;
                else
                    found.page = index;
                return found;
            }
        }
        found.problem = "a folder without an index page";
    } else if (fs::is_regular_file(status) && !wantsFolder) {
        found.page = path;
    } else if (fs::exists(status)) {
        found.problem = wantsFolder ? "not a folder" : "not a file";
    } else {
        found.problem = "no such file";
    }
    return found;
}

}  // namespace quillmap
