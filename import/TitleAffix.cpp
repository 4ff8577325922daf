#include "import/TitleAffix.h"

#include <map>
#include <set>

namespace quillmap {

namespace {

bool isSeparator(char32_t c)
{
    return c == U'-' || c == U'\u2013' || c == U'\u2014' || c == U'|' || c == U':' || c == U'\u00B7' ||
           c == U'\u2022' || c == U'\u00BB' || c == U'/';
}

// Where a separator with its blanks starts and ends in title: [start, end).
std::vector<std::pair<std::size_t, std::size_t>> separators(const std::u32string& t)
{
    std::vector<std::pair<std::size_t, std::size_t>> found;
    for (std::size_t i = 1; i + 2 < t.size(); ++i) {
        if (!isSeparator(t[i]) || t[i + 1] != U' ') continue;
        if (t[i - 1] == U' ')
            found.push_back({i - 1, i + 2});
        else if (t[i] == U':')
            found.push_back({i, i + 2});
    }
    return found;
}

std::u32string mostShared(const std::map<std::u32string, std::size_t>& counts, std::size_t titles)
{
    std::u32string best;
    std::size_t most = 0;
    for (const auto& [text, n] : counts)
        if (n > most) {
            best = text;
            most = n;
        }
    return most >= 2 && most * 2 > titles ? best : std::u32string();
}

}  // namespace

TitleAffix sharedTitleAffix(const std::vector<std::u32string>& titles)
{
    std::map<std::u32string, std::size_t> endings, beginnings;
    for (const std::u32string& t : titles) {
        // Each title counts once for each text, however often its separators repeat it.
        std::set<std::u32string> ends, begins;
        for (const auto& [start, end] : separators(t)) {
            ends.insert(t.substr(start));
            begins.insert(t.substr(0, end));
        }
        for (const std::u32string& e : ends) ++endings[e];
        for (const std::u32string& b : begins) ++beginnings[b];
    }
    return {mostShared(endings, titles.size()), mostShared(beginnings, titles.size())};
}

std::u32string withoutAffix(const std::u32string& title, const TitleAffix& affix)
{
    std::u32string t = title;
    if (!affix.ending.empty() && t.size() > affix.ending.size() &&
        t.compare(t.size() - affix.ending.size(), affix.ending.size(), affix.ending) == 0)
        t.resize(t.size() - affix.ending.size());
    if (!affix.beginning.empty() && t.size() > affix.beginning.size() && t.compare(0, affix.beginning.size(), affix.beginning) == 0)
        t.erase(0, affix.beginning.size());
    return t;
}

}  // namespace quillmap
