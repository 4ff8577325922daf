#include "import/SitemapOutline.h"

#include <algorithm>
#include <map>
#include <set>

#include "text/TextFile.h"
#include "import/AsciiText.h"
#include "import/RelativeLink.h"
#include "import/SiteFolderScan.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {

std::string stem(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The query of an address as a link may hold it: bytes that no address may carry (control
// characters, blanks, quotes, angle brackets, non-ASCII) become %XX.
std::string encodedQuery(std::string_view query)
{
    return percentEncoded(query, [](unsigned char c) {
        return c > 0x20 && c < 0x7F && c != '"' && c != '<' && c != '>' && c != '\\';
    });
}

bool holdsBlankOrControl(std::string_view text)
{
    for (const char ch : text)
        if (static_cast<unsigned char>(ch) <= 0x20 || ch == 0x7F) return true;
    return false;
}

// The page that stands for a folder address in the site folder, if there is one.
std::optional<std::string> indexPageIn(const fs::path& folder)
{
    for (const char* name : {"index.html", "index.htm", "index.xhtml", "index.shtml", "index.php"}) {
        std::error_code ec;
        if (fs::is_regular_file(folder / name, ec)) return std::string(name);
    }
    return std::nullopt;
}

// A page named like a folder beside it ("about.html" beside "about/") is that folder's page.
void joinPagesToTheirFolders(SiteOutline& outline)
{
    for (OutlineFolder& folder : outline.folders) {
        if (!folder.index) takeIndexPage(folder);
        std::erase_if(folder.pages, [&](OutlinePage& page) {
            for (const std::size_t child : folder.folders) {
                OutlineFolder& sub = outline.folders[child];
                if (sub.index || (page.name != sub.name && stem(page.name) != sub.name)) continue;
                sub.index = std::move(page);
                return true;
            }
            return false;
        });
    }
}

}  // namespace

std::optional<WebAddress> parseWebAddress(std::string_view address)
{
    WebAddress web;
    const std::string scheme = asciiLower(address.substr(0, 8));
    if (scheme.rfind("http://", 0) == 0 || scheme.rfind("https://", 0) == 0) {
        address.remove_prefix(address.find("//") + 2);
        const std::size_t end = std::min(address.find_first_of("/?#"), address.size());
        web.host = asciiLower(address.substr(0, end));
        address.remove_prefix(end);
        if (web.host.empty() || holdsBlankOrControl(web.host)) return std::nullopt;
    } else if (address.empty() || address[0] != '/') {
        return std::nullopt;
    }
    address = address.substr(0, std::min(address.find('#'), address.size()));
    const std::size_t question = address.find('?');
    if (question != std::string_view::npos) {
        web.query = encodedQuery(address.substr(question));
        address = address.substr(0, question);
    }
    web.folder = address.empty() || address.back() == '/';
    while (!address.empty()) {
        const std::size_t slash = std::min(address.find('/'), address.size());
        const std::string segment = decodeLinkSegment(address.substr(0, slash));
        address.remove_prefix(std::min(slash + 1, address.size()));
        if (segment.empty() || segment == ".") continue;
        if (segment == "..") {
            if (!web.segments.empty()) web.segments.pop_back();
            continue;
        }
        if (segment.find('/') != std::string::npos || segment.find('\0') != std::string::npos) return std::nullopt;
        web.segments.push_back(segment);
    }
    if (web.segments.empty()) web.folder = true;
    return web;
}

SiteOutline outlineFromAddresses(const std::vector<std::string>& addresses, const fs::path& siteRoot,
                                 const fs::path& base, bool readTitles, ImportReport& report)
{
    SiteOutline outline;
    const std::string rootPrefix = folderLinkPrefix(base, siteRoot);
    std::map<std::string, std::size_t> folderAt{{"", 0}};
    std::set<std::string> seen;
    std::optional<std::string> siteHost;

    for (const std::string& address : addresses) {
        const std::optional<WebAddress> web = parseWebAddress(address);
        if (!web) {
            report.skip(address, SkipReason::BadAddress);
            continue;
        }
        if (!siteHost) {
            siteHost = web->host;
            outline.add(web->host.empty() ? siteRoot.filename().string() : web->host, "/");
            outline.folders[0].nameIsCaption = !web->host.empty();
        }
        if (web->host != *siteHost) {
            report.skip(address, SkipReason::OtherSite);
            continue;
        }
        if (web->segments.size() > MaxAddressDepth) {
            report.skip(address, SkipReason::TooDeep);
            continue;
        }
        std::string path, link = rootPrefix;
        for (const std::string& segment : web->segments) {
            path += "/" + segment;
            link += encodeLinkSegment(segment) + "/";
        }
        if (!web->folder) link.pop_back();
        if (link.empty()) link = "./";
        if (!seen.insert(path + (web->folder ? "/" : "") + web->query).second) {
            report.skip(address, SkipReason::Duplicate);
            continue;
        }

        const std::size_t folderDepth = web->segments.size() - (web->folder ? 0 : 1);
        std::size_t folder = 0;
        std::string key;
        for (std::size_t i = 0; i < folderDepth; ++i) {
            key += "/" + web->segments[i];
            auto [at, added] = folderAt.try_emplace(key, outline.folders.size());
            if (added) {
                outline.add(web->segments[i], key + "/");
                outline.folders[folder].folders.push_back(at->second);
            }
            folder = at->second;
        }

        OutlinePage page{web->segments.empty() ? std::string() : web->segments.back(),
                         relativeLinkText(link + web->query), {}, {}};
        if (readTitles) {
            fs::path local = siteRoot;
            for (const std::string& segment : web->segments) local /= pathFromText(segment);
            std::error_code ec;
            if (fs::is_directory(local, ec)) {
                if (const std::optional<std::string> index = indexPageIn(local)) {
                    page.titleSource = pathText(local / pathFromText(*index));
                    if (web->folder && web->query.empty())
                        page.link = relativeLinkText(link + encodeLinkSegment(*index));
                }
            } else if (fs::is_regular_file(local, ec) && isPageFileName(page.name, false)) {
                page.titleSource = pathText(local);
            }
        }
        OutlineFolder& owner = outline.folders[folder];
        if (!web->folder)
            owner.pages.push_back(std::move(page));
        else if (!owner.index)
            owner.index = std::move(page);
        else
            report.skip(address, SkipReason::Duplicate);
    }
    joinPagesToTheirFolders(outline);
    return outline;
}

}  // namespace quillmap
