#include "generator/ScriptBuilder.h"

#include <charconv>
#include <string_view>
#include <unordered_map>

#include "text/Error.h"
#include "generator/MenuEntries.h"
#include "generator/TemplatePieces.h"

namespace quillmap {

namespace {

void appendUtf16Unit(std::string& out, char32_t unit)
{
    static constexpr char hex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += hex[(unit >> shift) & 0xF];
}

void appendUtf16Escape(std::string& out, char32_t c)
{
    if (c < 0x10000) {
        appendUtf16Unit(out, c);
        return;
    }
    c -= 0x10000;
    appendUtf16Unit(out, 0xD800 + (c >> 10));
    appendUtf16Unit(out, 0xDC00 + (c & 0x3FF));
}

// Refuses an item the script cannot hold (see BuildScriptLines): items are checked in order, so the
// message names the first one.
void refuseUnbuildable(const std::vector<MenuEntry>& entries, std::size_t i)
{
    const MenuEntry& entry = entries[i];
    if (entry.parent < 0)
        throw Error("Cannot build the menu: it must have exactly one top folder, but item " + std::to_string(i) +
                    ", \"" + entry.node->caption + "\", is a second top-level item");
    const MenuEntry& parent = entries[static_cast<std::size_t>(entry.parent)];
    if (entry.parent > 0 && parent.document)
        throw Error("Cannot build the menu: the document \"" + parent.node->caption + "\" (item " +
                    std::to_string(entry.parent) + ") holds other items, but only folders can");
    if (entry.document) toInteger(entry.record->Target);
}

// Whether the '&' at i starts a character reference ("&amp;", "&#38;", "&#x26;"): such a link was
// written for the page already, and browsers have always read it that way.
bool startsCharacterReference(std::string_view text, std::size_t i)
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isHex = [&](char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); };
    const auto isAlnum = [&](char c) { return isDigit(c) || isLetter(c); };
    std::size_t j = i + 1;
    const auto run = [&](auto accepts) {
        const std::size_t first = j;
        while (j < text.size() && accepts(text[j])) ++j;
        return j > first && j < text.size() && text[j] == ';';
    };
    if (j < text.size() && text[j] == '#') {
        ++j;
        if (j < text.size() && (text[j] == 'x' || text[j] == 'X')) return ++j, run(isHex);
        return run(isDigit);
    }
    return j < text.size() && isLetter(text[j]) && run(isAlnum);
}

}  // namespace

std::string EscapeScriptString(std::string_view text, TextEncoding encoding, ScriptText kind)
{
    std::string escaped;
    escaped.reserve(text.size() + 8);
    appendScriptString(escaped, text, encoding, kind);
    return escaped;
}

void appendScriptString(std::string& out, std::string_view text, TextEncoding encoding, ScriptText kind)
{
    const bool address = kind == ScriptText::Address;
    const auto plain = [address](unsigned char byte) {
        return byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"' && byte != '\'' && (byte != '&' || !address);
    };
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        while (i < text.size() && plain(static_cast<unsigned char>(text[i]))) ++i;
        out.append(text.substr(start, i - start));
        if (i == text.size()) break;
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            // A run of bytes above ASCII holds whole characters in either encoding, since UTF-8
            // never puts an ASCII byte inside a sequence.
            std::size_t end = i;
            while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
            for (const char32_t c : decodeText(text.substr(i, end - i), encoding)) appendUtf16Escape(out, c);
            i = end;
            continue;
        }
        switch (byte) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\'':
            out += kind == ScriptText::Caption ? "\\'" : kind == ScriptText::Address ? "%27" : "'";
            break;
        case '&': out += startsCharacterReference(text, i) ? "&" : "&amp;"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: appendUtf16Unit(out, byte);  // a control character
        }
        ++i;
    }
}

OpenStateList::OpenStateList(std::vector<std::string> states, std::vector<int> parents)
    : states_(std::move(states)), parents_(std::move(parents)), climbed_(states_.size(), 0)
{
}

void OpenStateList::MarkAncestorsOpen(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= states_.size()) return;
    // Once an item's ancestors are marked, every later climb through it may stop there.
    for (int p = parents_[static_cast<std::size_t>(index)]; p > 0; p = parents_[static_cast<std::size_t>(p)]) {
        auto& climbed = climbed_[static_cast<std::size_t>(p)];
        states_[static_cast<std::size_t>(p)].assign(1, '1');
        if (climbed) break;
        climbed = 1;
    }
    climbed_[static_cast<std::size_t>(index)] = 1;
}

Lines BuildScriptLines(const ItemTree& tree, const GlobalOptions& options)
{
    return splitLines(BuildScriptText(ReadMenuEntries(tree, options), options));
}

std::string BuildScriptText(const MenuEntries& menuEntries, const GlobalOptions& options,
                            const std::optional<std::string>& menuInSite)
{
    const std::vector<MenuEntry>& entries = menuEntries.items;
    const TextEncoding encoding = menuEntries.encoding;
    const auto& pieces = TemplatePieces();
    const std::size_t n = entries.size();

    // The whole script is one text, written line by line; a tree line takes some 60 bytes.
    std::string text;
    text.reserve(pieces[0].size() + pieces[1].size() + pieces[2].size() + pieces[3].size() + pieces[4].size() +
                 n * 72 + 4096);
    const auto endLine = [&text]() { text += "\r\n"; };
    const auto appendNumber = [&text](std::size_t number) {
        char digits[24];
        text.append(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, number).ptr - digits));
    };
    const auto appendPiece = [&](std::string_view piece) {
        for (const std::string_view line : splitLineViews(piece)) {
            text += line;
            endLine();
        }
    };
    appendPiece(pieces[0]);

    // Image lines: every distinct replacement icon, numbered in order of first appearance.
    std::unordered_map<std::string, std::size_t> imageNumbers;
    std::vector<std::size_t> imageOf(n, 0);
    std::vector<const std::string*> images;
    for (std::size_t i = 0; i < n; ++i) {
        if (!entries[i].hasImage) continue;
        const std::string& image = entries[i].record->CustomImage;
        auto [found, added] = imageNumbers.emplace(image, images.size());
        if (added) images.push_back(&image);
        imageOf[i] = found->second;
    }
    for (std::size_t k = 0; k < images.size(); ++k) {
        text += "  this.ic";
        appendNumber(k);
        text += " = \"";
        appendScriptString(text, *images[k], encoding, ScriptText::Address);
        text += "\" ";
        endLine();
    }

    appendPiece(pieces[1]);

    // Icon block: the document's icon chosen by its entry number.
    if (images.empty()) {
        text += "   doc.write(\"src='\"+this.iconSrc+\"' border=0>\")\r\n";
    } else {
        text += "   switch(this.id){\r\n";
        for (std::size_t i = 0; i < n; ++i) {
            if (!entries[i].hasImage) continue;
            text += "   case ";
            appendNumber(i);
            text += ": doc.write(\"src='\"+this.ic";
            appendNumber(imageOf[i]);
            text += "+\"' border=0>\"); break;\r\n";
        }
        text += "   default: doc.write(\"src='\"+this.iconSrc+\"' border=0>\");\r\n";
        text += "   } \r\n";
    }

    appendPiece(pieces[2]);

    // Open-folder lines: every folder that starts open, and every folder around one.
    {
        // Only whether a state is "1" counts here.
        std::vector<std::string> states;
        std::vector<int> parents;
        states.reserve(n);
        parents.reserve(n);
        for (const MenuEntry& entry : entries) {
            states.emplace_back(1, entry.opened ? '1' : '0');
            parents.push_back(entry.parent);
        }
        OpenStateList openStates(std::move(states), std::move(parents));
        for (std::size_t i = 1; i < n; ++i)
            if (!entries[i].document && openStates[static_cast<int>(i)] == "1")
                openStates.MarkAncestorsOpen(static_cast<int>(i));
        for (std::size_t i = 1; i < n; ++i)
            if (!entries[i].document && openStates[static_cast<int>(i)] == "1") {
                text += "    clickOnNode(";
                appendNumber(i);
                text += ")\r\n";
            }
    }

    appendPiece(pieces[3]);

    text += options.useTextLinks ? "USETEXTLINKS = 1 \r\n" : "USETEXTLINKS = 0 \r\n";
    text += "TFRAME=\"";
    appendScriptString(text, options.targetFrame, encoding, ScriptText::Name);
    text += "\" \r\n";
    text += "DWIN=0 \r\n";
    text += "auto_opened_folder=-1;\r\n";
    text += options.autoClose ? "bAUTOCLOSE=1;\r\n" : "bAUTOCLOSE=0;\r\n";
    endLine();

    if (menuInSite) {
        appendPiece(pieces[4]);
        text += "useSiteLinks(\"";
        appendScriptString(text, *menuInSite, TextEncoding::Utf8, ScriptText::Name);
        text += "\")\r\n";
    }

    // Tree lines: the top folder, then every item below its parent's variable. The items the script
    // cannot hold are refused on the way, before the text is returned.
    const MenuEntry& root = entries[0];
    text += "foldersTree = gFld(\"";
    appendScriptString(text, root.node->caption, encoding);
    text += "\", \"";
    appendScriptString(text, root.record->URL, encoding, ScriptText::Address);
    text += "\")\r\n";
    for (std::size_t i = 1; i < n; ++i) {
        refuseUnbuildable(entries, i);
        const MenuEntry& entry = entries[i];
        const auto appendParent = [&]() {
            if (entry.parent == 0) {
                text += "foldersTree";
            } else {
                text += 'a';
                appendNumber(static_cast<std::size_t>(entry.parent));
            }
        };
        if (entry.document) {
            text += "insDoc(";
            appendParent();
            text += ", gLnk(";
            appendScriptString(text, entry.record->Target, encoding);
            text += ", ";
        } else {
            text += 'a';
            appendNumber(i);
            text += " = insFld(";
            appendParent();
            text += ", gFld(";
        }
        text += '"';
        appendScriptString(text, entry.node->caption, encoding);
        text += "\", \"";
        appendScriptString(text, entry.record->URL, encoding, ScriptText::Address);
        text += "\"))\r\n";
    }
    return text;
}

}  // namespace quillmap
