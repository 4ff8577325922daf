#include "styles/StyleSheet.h"

#include <algorithm>

namespace quillmap {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool namesOneOf(std::string_view selector, std::initializer_list<std::string_view> names)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (const std::string_view name : names)
        if (name.size() == selector.size() &&
            std::equal(name.begin(), name.end(), selector.begin(), [&](char a, char b) { return lower(a) == lower(b); }))
            return true;
    return false;
}

std::string scopedRule(std::string_view rule, std::string_view scope, std::initializer_list<std::string_view> itself)
{
    const auto brace = rule.find('{');
    const std::string_view selectors = trimmed(rule.substr(0, brace == std::string_view::npos ? 0 : brace));
    if (brace == std::string_view::npos || selectors.empty() || selectors.front() == '@') return {};
    std::string scoped;
    for (std::size_t start = 0;;) {
        const std::size_t comma = selectors.find(',', start);
        const std::string_view selector = trimmed(selectors.substr(start, comma - start));
        if (!scoped.empty()) scoped += ", ";
        scoped += scope;
        if (!namesOneOf(selector, itself)) (scoped += ' ') += selector;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return scoped + ' ' + std::string(rule.substr(brace));
}

}  // namespace

std::string StyleName(int styleIndex)
{
    switch (styleIndex) {
    case 1: return "underline";
    case 2: return "overline";
    case 3: return "line-through";
    default: return styleIndex <= 0 ? "none" : "";
    }
}

std::vector<std::string> BuildStyleSheet(const MenuLook& look)
{
    const auto linkRule = [](const char* selector, int style, Rgb color) {
        return std::string(selector) + " {text-decoration: " + StyleName(style) + "; color: " + ColorToHtml(color) + "}";
    };
    return {
        "BODY {background-color: " + ColorToHtml(look.backColor) + "}",
        linkRule("A:link", look.linkStyle, look.linkColor),
        linkRule("A:visited", look.visitedLinkStyle, look.visitedLinkColor),
        linkRule("A:hover", look.activatedLinkStyle, look.activatedLinkColor),
        "TD {color: " + ColorToHtml(look.textColor) + "}",
    };
}

std::vector<std::string> ScopedStyleSheet(const std::vector<std::string>& sheet, std::string_view scope,
                                          std::initializer_list<std::string_view> itself)
{
    std::vector<std::string> lines;
    for (const std::string& rule : sheet)
        if (std::string scoped = scopedRule(rule, scope, itself); !scoped.empty()) lines.push_back(std::move(scoped));
    return lines;
}

}  // namespace quillmap
