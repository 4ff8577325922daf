#include "text/DialogFilter.h"

namespace quillmap {

namespace {

std::vector<std::string> split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return parts;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<std::string> nameFilters(std::string_view filter)
{
    std::vector<std::string> result;
    if (filter.empty()) return result;
    const std::vector<std::string> parts = split(filter, '|');
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        const std::string description = parts[i];
        std::string patterns;
        if (i + 1 < parts.size())
            for (const std::string& p : split(parts[i + 1], ';')) {
                const std::string pattern = trimmed(p);
                if (pattern.empty()) continue;
                if (!patterns.empty()) patterns += ' ';
                patterns += pattern;
            }
        if (patterns.empty()) patterns.push_back('*');
        std::string suffix(1, '(');
        suffix += patterns;
        suffix += ')';
        std::string shown = trimmed(description);
        const bool namesItsPatterns =
            shown.size() >= suffix.size() && shown.compare(shown.size() - suffix.size(), suffix.size(), suffix) == 0;
        if (!namesItsPatterns) {
            if (!shown.empty()) shown += ' ';
            shown += suffix;
        }
        result.push_back(std::move(shown));
    }
    return result;
}

}  // namespace quillmap
