#include "import/SiteImporter.h"

#include <cstdio>
#include <map>
#include <memory>
#include <set>

#include "text/Error.h"
#include "text/TextFile.h"
#include "import/ReadFile.h"
#include "import/CaptionText.h"
#include "import/ContentsOutline.h"
#include "import/GzipText.h"
#include "import/PageTitle.h"
#include "import/QuillmapFiles.h"
#include "import/TitleAffix.h"
#include "import/RelativeLink.h"
#include "import/SiteFolderScan.h"
#include "import/SitemapOutline.h"
#include "import/SitemapReader.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {


// Whole paths, made absolute and free of links, so that links between them come out right.
fs::path normalFolder(const fs::path& folder)
{
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    if (p.has_filename() || p == p.root_path()) return p;
    return p.parent_path();
}

// Turns an outline into items, walking it breadth-first so that each folder's children are added
// in their order at once; pages are read for their titles on the way.
class ItemBuilder {
public:
    ItemBuilder(const ImportOptions& options, ImportReport& report) : options_(options), report_(report) {}

    bool build(const SiteOutline& outline, ItemTree& items)
    {
        std::size_t total = 0;
        for (const OutlineFolder& f : outline.folders)
            if (f.holdsPages) total += f.pages.size() + (f.index ? 1 : 0);
        total_ = total;

        struct Pending {
            std::size_t folder;
            Node* node;
        };
        std::vector<Pending> queue{{0, addFolder(items, nullptr, outline.folders[0])}};
        for (std::size_t next = 0; next < queue.size(); ++next) {
            const OutlineFolder& folder = outline.folders[queue[next].folder];
            Node* node = queue[next].node;
            std::vector<bool> order = folder.mixedOrder;
            if (order.empty()) {
                order.assign(folder.folders.size(), true);
                order.resize(folder.folders.size() + folder.pages.size(), false);
            }
            std::size_t nextFolder = 0, nextPage = 0;
            for (const bool isFolder : order) {
                if (isFolder) {
                    const std::size_t child = folder.folders[nextFolder++];
                    queue.push_back({child, addFolder(items, node, outline.folders[child])});
                    continue;
                }
                const OutlinePage& page = folder.pages[nextPage++];
                if (!tick()) return false;
                bool isPage = true;
                const std::u32string caption = captionOf(page, isPage);
                if (!isPage) continue;
                captions_.push_back({items.append(node, captionText(caption, options_.encoding), DocumentImage,
                                                  std::make_unique<TMyRec>(TMyRec{page.link, "0", "-1", ""})),
                                     caption, lastWasTitle_});
                ++report_.pages;
            }
        }
        if (!options_.keepTitles) shortenCaptions();
        return tick(true);
    }

    bool withoutFrames() const { return pagesRead_ && !framesSeen_; }

private:
    Node* addFolder(ItemTree& items, Node* parent, const OutlineFolder& folder)
    {
        std::u32string caption;
        bool isPage = folder.index.has_value();
        if (folder.index) {
            tick();
            caption = captionOf(*folder.index, isPage);
            if (isPage) ++report_.pages;
        }
        if (!folder.index || !isPage || caption.empty())
            caption = folder.nameIsCaption ? decodeText(folder.name, detectEncoding(folder.name))
                                           : readableName(folder.name, false);
        TMyRec record = TMyRec::folderDefaults();
        if (isPage) record.URL = folder.index->link;
        ++report_.folders;
        Node* node = items.append(parent, captionText(caption, options_.encoding), ClosedFolderImage,
                                  std::make_unique<TMyRec>(std::move(record)));
        captions_.push_back({node, caption, isPage && lastWasTitle_});
        return node;
    }

    // Leaves the ending or beginning most titles share out of the captions; captions that
    // become equal are told apart by their folder's.
    void shortenCaptions()
    {
        std::vector<std::u32string> titles;
        for (const Caption& c : captions_)
            if (c.fromTitle) titles.push_back(c.text);
        const TitleAffix affix = sharedTitleAffix(titles);
        if (affix.ending.empty() && affix.beginning.empty()) return;
        std::map<const Node*, std::u32string> shortened;
        std::map<std::u32string, std::size_t> uses;
        for (const Caption& c : captions_) {
            shortened[c.node] = c.fromTitle ? withoutAffix(c.text, affix) : c.text;
            ++uses[shortened[c.node]];
        }
        for (const Caption& c : captions_) {
            std::u32string text = shortened[c.node];
            if (uses[text] > 1 && c.node->parent() && shortened.count(c.node->parent()))
                text += U" (" + shortened[c.node->parent()] + U")";
            c.node->caption = captionText(text, options_.encoding);
        }
        for (const std::u32string* part : {&affix.beginning, &affix.ending})
            if (!part->empty()) {
                std::string utf8;
                encodeText(*part, TextEncoding::Utf8, utf8);
                report_.removedFromTitles.push_back(utf8);
            }
    }

    std::u32string captionOf(const OutlinePage& page, bool& isPage)
    {
        lastWasTitle_ = false;
        if (!page.titleSource.empty() && !framesSeen_) {
            pagesRead_ = true;
            framesSeen_ = pageHoldsFrames(page.titleSource);
        }
        if (!page.titleSource.empty())
            if (std::optional<std::u32string> title = readPageTitle(page.titleSource, page.link, report_, isPage)) {
                lastWasTitle_ = true;
                return *title;
            }
        return readableName(page.name);
    }

    // Reports progress every 64 pages and at the end; false once the user cancels.
    bool tick(bool last = false)
    {
        ++done_;
        if (cancelled_ || !options_.progress || (!last && done_ % 64 != 0)) return !cancelled_;
        cancelled_ = !options_.progress(last ? total_ : done_, total_);
        return !cancelled_;
    }

    const ImportOptions& options_;
    ImportReport& report_;
    std::size_t total_ = 0;
    std::size_t done_ = 0;
    bool cancelled_ = false;
    struct Caption {
        Node* node;
        std::u32string text;
        bool fromTitle;
    };
    std::vector<Caption> captions_;
    bool lastWasTitle_ = false;
    bool pagesRead_ = false;
    bool framesSeen_ = false;
};

std::optional<ImportResult> buildItems(SiteOutline& outline, const ImportOptions& options, ImportReport report,
                                       const std::string& what, bool sort = true)
{
    if (!outline.folders.empty()) finishOutline(outline, report, sort);
    if (outline.folders.empty() || !outline.folders[0].holdsPages) throw Error("No pages found in " + what);
    ImportResult result;
    result.report = std::move(report);
    ItemBuilder builder(options, result.report);
    if (!builder.build(outline, *result.items)) return std::nullopt;
    result.withoutFrames = builder.withoutFrames();
    return result;
}

// A counter for the walk, which knows no total yet.
std::function<bool()> walkProgress(const ImportOptions& options)
{
    if (!options.progress) return {};
    return [&options, folders = std::size_t(0)]() mutable { return ++folders % 16 != 0 || options.progress(0, 0); };
}

std::string readRegularFile(const fs::path& file)
{
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) throw Error("Cannot open file " + file.string());
    return readWholeFile(file);
}

// A sitemap file's XML, unpacked when it is gzipped (sitemap.xml.gz).
SitemapContents readSitemapFile(const fs::path& file)
{
    std::string bytes = readRegularFile(file);
    if (isGzip(bytes)) bytes = gunzipText(bytes, file.string());
    return readSitemapText(bytes, file.string());
}

// The local file of a sitemap that an index names: its path under the index's folder, or a file
// of its name beside the index. Whatever the index names, only files in the index's folder or
// below it are read, never through a link that leads out of it. The file comes free of links.
std::optional<fs::path> localSitemap(const std::string& location, const fs::path& folder)
{
    std::vector<fs::path> candidates;
    if (location.rfind("file://", 0) == 0) {
        const fs::path named = pathFromText(decodeLinkSegment(std::string_view(location).substr(7)));
        candidates.push_back(named);
        if (named.has_filename()) candidates.push_back(folder / named.filename());
    } else if (const std::optional<WebAddress> web = parseWebAddress(location)) {
        if (web->segments.empty()) return std::nullopt;
        fs::path under = folder;
        for (const std::string& s : web->segments) under /= pathFromText(s);
        candidates.push_back(under);
        candidates.push_back(folder / pathFromText(web->segments.back()));
    } else if (location.find(':') == std::string::npos) {
        candidates.push_back(folder / pathFromText(location));
    }
    for (const fs::path& c : candidates) {
        std::error_code ec;
        const fs::path resolved = fs::canonical(c, ec);
        if (!ec && liesIn(resolved, folder) && fs::is_regular_file(resolved, ec)) return resolved;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::u32string> readPageTitle(const std::string& file, const std::string& name, ImportReport& report,
                                            bool& isPage)
{
    isPage = true;
    const ReadFile in = openToRead(pathFromText(file));
    if (!in) {
        report.skip(name, SkipReason::Unreadable, "cannot be opened");
        isPage = false;
        return std::nullopt;
    }
    std::string bytes;
    std::size_t wanted = FirstTitleBytes;
    for (;;) {
        const std::size_t had = bytes.size();
        bytes.resize(wanted);
        const std::size_t got = std::fread(bytes.data() + had, 1, wanted - had, in.get());
        bytes.resize(had + got);
        if (std::ferror(in.get())) {
            report.skip(name, SkipReason::Unreadable, "read error");
            isPage = false;
            return std::nullopt;
        }
        const bool whole = bytes.size() < wanted || wanted >= MaxTitleBytes;
        TitleScan scan = scanPageTitle(bytes, whole);
        if (scan.binary) {
            report.skip(name, SkipReason::NotAPage);
            isPage = false;
            return std::nullopt;
        }
        if (!scan.wantsMore || whole) return std::move(scan.title);
        wanted *= 2;
    }
}

std::optional<ImportResult> SiteImporter::importFolder(const fs::path& site) const
{
    const fs::path root = normalFolder(site);
    const fs::path base = options_.base.empty() ? root : normalFolder(options_.base);
    ImportReport report;
    SiteOutline outline = scanSiteFolder(
        root, base, {options_.withPdf, options_.followLinksOutside, options_.menuFolder.empty() ? fs::path() : normalFolder(options_.menuFolder)},
        report, walkProgress(options_));
    if (options_.progress && !options_.progress(0, 0)) return std::nullopt;
    if (options_.contentsPage.empty()) return buildItems(outline, options_, std::move(report), root.string());
    finishOutline(outline, report);
    SiteOutline ordered = outlineFromContents(outline, options_.contentsPage, root, report);
    return buildItems(ordered, options_, std::move(report), root.string(), false);
}

std::optional<ImportResult> SiteImporter::importSitemap(const fs::path& sitemap) const
{
    const std::string name = sitemap.string();
    const SitemapContents contents = readSitemapFile(sitemap);
    ImportReport report;
    std::vector<std::string> addresses;
    const fs::path folder = normalFolder(fs::absolute(sitemap).parent_path());
    if (!contents.isIndex) {
        addresses = contents.locations;
    } else {
        std::set<fs::path> read;  // a sitemap named twice is read once
        for (const std::string& location : contents.locations) {
            const std::optional<fs::path> local = localSitemap(location, folder);
            if (!local) {
                report.skip(location, SkipReason::NotLocal);
                continue;
            }
            if (!read.insert(*local).second) {
                report.skip(location, SkipReason::Duplicate, "a sitemap read already");
                continue;
            }
            try {
                SitemapContents part = readSitemapFile(*local);
                if (part.isIndex) {
                    report.skip(location, SkipReason::NotLocal, "an index inside an index");
                    continue;
                }
                addresses.insert(addresses.end(), part.locations.begin(), part.locations.end());
            } catch (const Error& e) {
                report.skip(location, SkipReason::Unreadable, e.what());
            }
            if (options_.progress && !options_.progress(0, 0)) return std::nullopt;
        }
    }
    const bool readTitles = !options_.siteFolder.empty();
    const fs::path siteRoot = readTitles ? normalFolder(options_.siteFolder) : folder;
    const fs::path base = options_.base.empty() ? siteRoot : normalFolder(options_.base);
    SiteOutline outline = outlineFromAddresses(addresses, siteRoot, base, readTitles, report);
    return buildItems(outline, options_, std::move(report), name);
}

}  // namespace quillmap
