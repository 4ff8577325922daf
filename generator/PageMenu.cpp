#include "generator/PageMenu.h"

#include <algorithm>

#include "generator/MenuBuild.h"

namespace quillmap {

namespace {

std::vector<std::string> splitFolders(std::string_view path)
{
    std::vector<std::string> parts;
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        if (slash != 0) parts.emplace_back(path.substr(0, slash));
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return parts;
}

bool hasScheme(std::string_view href)
{
    const std::size_t colon = href.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!letter(href[0])) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = href[i];
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A segment of an attribute's address as the file name it names: its references and %XX read.
std::string fileName(std::string_view segment)
{
    std::string name;
    for (std::size_t i = 0; i < segment.size(); ++i) {
        const char c = segment[i];
        if (c == '%' && i + 2 < segment.size() && hexValue(segment[i + 1]) >= 0 && hexValue(segment[i + 2]) >= 0) {
            name += static_cast<char>(hexValue(segment[i + 1]) * 16 + hexValue(segment[i + 2]));
            i += 2;
            continue;
        }
        if (c == '&') {
            bool read = false;
            for (const auto& [reference, text] : {std::pair{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}}) {
                if (segment.substr(i).starts_with(reference)) {
                    name += text;
                    i += std::string_view(reference).size() - 1;
                    read = true;
                    break;
                }
            }
            if (read) continue;
        }
        name += c;
    }
    return name;
}

// A folder name for an href: everything but letters, digits and "-._~" as %XX.
void appendEncodedSegment(std::string& out, std::string_view name)
{
    static const char hex[] = "0123456789ABCDEF";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 15];
        }
    }
}

std::size_t commonFolders(const std::vector<std::string>& a, const std::vector<std::string>& b, std::size_t bFolders)
{
    std::size_t common = 0;
    while (common < a.size() && common < bFolders && a[common] == b[common]) ++common;
    return common;
}

void appendUps(std::string& out, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) out += "../";
}

}  // namespace

PageMenu::Target PageMenu::readTarget(std::string_view href)
{
    Target target;
    if (href.empty() || hasScheme(href) || href.starts_with('/') || href.starts_with('#') || href.starts_with('?') ||
        href.starts_with('\\'))
        return target;
    target.relative = true;
    const std::size_t end = href.find_first_of("?#");
    if (end != std::string_view::npos) {
        target.rest = href.substr(end);
        href = href.substr(0, end);
    }
    // Browsers read a backslash in a path as a slash.
    std::string path(href);
    std::replace(path.begin(), path.end(), '\\', '/');
    std::string_view rest = path;
    for (;;) {
        const std::size_t slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        const bool last = slash == std::string_view::npos;
        const std::string name = fileName(segment);
        if (name == "." || name == "..") {
            if (name == "..") {
                if (!target.segments.empty()) {
                    target.segments.pop_back();
                    target.decoded.pop_back();
                } else {
                    ++target.ups;
                }
            }
            if (last) {
                target.segments.emplace_back();
                target.decoded.emplace_back();
            }
        } else if (!segment.empty() || last) {
            target.segments.emplace_back(segment);
            target.decoded.push_back(name);
        }
        if (last) break;
        rest.remove_prefix(slash + 1);
    }
    return target;
}

std::string PageMenu::relativeHref(const Target& target, const std::vector<std::string>& folder) const
{
    std::string href;
    const std::size_t folders = target.segments.size() - 1;
    const std::size_t common = target.ups > 0 ? 0 : commonFolders(folder, target.decoded, folders);
    appendUps(href, folder.size() - common + static_cast<std::size_t>(target.ups));
    for (std::size_t i = common; i < target.segments.size(); ++i) {
        // A first segment with a colon would read as a scheme.
        if (href.empty() && target.segments[i].find(':') != std::string::npos) href = "./";
        href += target.segments[i];
        if (i < folders) href += '/';
    }
    if (href.empty()) href = "./";
    return href + target.rest;
}

PageMenu::PageMenu(const MenuEntries& entries, const GlobalOptions& options, std::string_view menuInSite)
    : entries_(entries.items), autoClose_(options.autoClose), menuSegments_(splitFolders(menuInSite))
{
    fragment_ = BuildStaticMenu(entries, options, {}, false, &map_).fragment;
    startOpen_ = StartOpenFolders(entries_, autoClose_);
    for (const FragmentMap::Slot& slot : map_.slots) {
        if (slot.kind != FragmentMap::Href) continue;
        targets_.push_back(readTarget(std::string_view(fragment_).substr(slot.at, slot.length)));
        targets_.back().entry = slot.entry;
        const Target& target = targets_.back();
        if (!target.relative || target.ups > 0 || target.rest.find('?') != std::string::npos) continue;
        std::string key;
        for (std::size_t i = 0; i < target.decoded.size(); ++i) {
            key += target.decoded[i];
            if (i + 1 < target.decoded.size()) key += '/';
        }
        pageLinks_.emplace(std::move(key), targets_.size() - 1);
    }
}

void PageMenu::useFolder(std::string_view folder)
{
    if (folder == folder_) return;
    folder_ = folder;
    const std::vector<std::string> folders = splitFolders(folder);
    hrefs_.clear();
    hrefs_.reserve(targets_.size());
    for (const Target& target : targets_) hrefs_.push_back(target.relative ? relativeHref(target, folders) : std::string());
    toMenu_.clear();
    const std::size_t common = commonFolders(folders, menuSegments_, menuSegments_.size());
    appendUps(toMenu_, folders.size() - common);
    for (std::size_t i = common; i < menuSegments_.size(); ++i) {
        appendEncodedSegment(toMenu_, menuSegments_[i]);
        toMenu_ += '/';
    }
}

std::string PageMenu::render(std::string_view pagePath)
{
    const std::size_t slash = pagePath.rfind('/');
    const std::string_view folder = slash == std::string_view::npos ? std::string_view() : pagePath.substr(0, slash);
    const std::string_view name = pagePath.substr(slash == std::string_view::npos ? 0 : slash + 1);
    useFolder(folder);

    // The page's own link, if the menu has one: by its path, or an index page by its folder's.
    std::size_t current = targets_.size();
    if (const auto found = pageLinks_.find(std::string(pagePath)); found != pageLinks_.end()) {
        current = found->second;
    } else if (name == "index.html" || name == "index.htm") {
        const std::string key = folder.empty() ? std::string() : std::string(folder) + '/';
        if (const auto byFolder = pageLinks_.find(key); byFolder != pageLinks_.end()) current = byFolder->second;
    }

    std::vector<char> open = startOpen_;
    if (current < targets_.size()) {
        const int entry = targets_[current].entry;
        // With auto-close a folder opened beside the page's own would close it.
        if (autoClose_) std::fill(open.begin(), open.end(), 0);
        const MenuEntry& own = entries_[static_cast<std::size_t>(entry)];
        for (int p = own.document ? own.parent : entry; p >= 0; p = entries_[static_cast<std::size_t>(p)].parent)
            open[static_cast<std::size_t>(p)] = 1;
    }

    std::string text;
    text.reserve(fragment_.size() + fragment_.size() / 4 + 200);
    text += "<link rel=\"stylesheet\" href=\"" + toMenu_ + StaticStyleSheetFileName + "\">\r\n";
    text += "<script src=\"" + toMenu_ + CurrentPageScriptFileName + "\" defer></script>\r\n";
    std::size_t at = map_.nav, href = 0;
    for (const FragmentMap::Slot& slot : map_.slots) {
        text.append(fragment_, at, slot.at - at);
        at = slot.at + slot.length;
        if (slot.kind == FragmentMap::Open) {
            const MenuEntry& entry = entries_[static_cast<std::size_t>(slot.entry)];
            if (entry.level == 0 || open[static_cast<std::size_t>(slot.entry)]) text += " open";
            continue;
        }
        if (targets_[href].relative)
            text += hrefs_[href];
        else
            text.append(fragment_, slot.at, slot.length);
        if (href++ == current) {
            text += "\" aria-current=\"page";
        }
    }
    text.append(fragment_, at);
    return text;
}

}  // namespace quillmap
