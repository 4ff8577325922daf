#include "generator/ScriptBuilder.h"

#include <string_view>
#include <unordered_map>

#include "text/Error.h"
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

struct Entry {
    const Node* node;
    int parent;  // absolute index; -1 for a top-level item
    const TMyRec* record;
};

const TMyRec& recordOf(const Node* node)
{
    static const TMyRec folderDefaults = TMyRec::folderDefaults();
    static const TMyRec documentDefaults = TMyRec::documentDefaults();
    if (node->record()) return *node->record();
    return node->isDocument() ? documentDefaults : folderDefaults;
}

std::vector<Entry> entriesOf(const ItemTree& tree)
{
    std::vector<Entry> entries;
    entries.reserve(tree.size());
    std::vector<int> lastAtLevel;
    tree.forEach([&](Node* node, int level) {
        const auto depth = static_cast<std::size_t>(level);
        const int parent = level == 0 ? -1 : lastAtLevel[depth - 1];
        lastAtLevel.resize(depth + 1);
        lastAtLevel[depth] = static_cast<int>(entries.size());
        entries.push_back({node, parent, &recordOf(node)});
    });
    return entries;
}

void refuseUnbuildable(const std::vector<Entry>& entries)
{
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        if (entry.parent < 0)
            throw Error("Cannot build the menu: it must have exactly one top folder, but item " + std::to_string(i) +
                        ", \"" + entry.node->caption + "\", is a second top-level item");
        const Entry& parent = entries[static_cast<std::size_t>(entry.parent)];
        if (entry.parent > 0 && parent.node->isDocument())
            throw Error("Cannot build the menu: the document \"" + parent.node->caption + "\" (item " +
                        std::to_string(entry.parent) + ") holds other items, but only folders can");
        if (entry.node->isDocument()) toInteger(entry.record->Target);
    }
}

// The project's texts are UTF-8 when all of them are valid UTF-8, otherwise the 8-bit code page.
TextEncoding projectEncoding(const std::vector<Entry>& entries, const GlobalOptions& options)
{
    if (!isValidUtf8(options.targetFrame)) return TextEncoding::CodePage;
    for (const Entry& entry : entries) {
        const TMyRec& r = *entry.record;
        for (const std::string* text : {&entry.node->caption, &r.URL, &r.Target, &r.OpenState, &r.CustomImage})
            if (!isValidUtf8(*text)) return TextEncoding::CodePage;
    }
    return TextEncoding::Utf8;
}

void appendPiece(Lines& lines, std::string_view piece)
{
    for (auto& line : splitLines(piece)) lines.push_back(std::move(line));
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

std::string parentExpression(int parent)
{
    return parent == 0 ? std::string("foldersTree") : "a" + std::to_string(parent);
}

}  // namespace

std::string EscapeScriptString(std::string_view text, TextEncoding encoding, ScriptText kind)
{
    const bool address = kind == ScriptText::Address;
    const auto plain = [address](unsigned char byte) {
        return byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"' && byte != '\'' && (byte != '&' || !address);
    };
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        while (i < text.size() && plain(static_cast<unsigned char>(text[i]))) ++i;
        escaped.append(text.substr(start, i - start));
        if (i == text.size()) break;
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            // A run of bytes above ASCII holds whole characters in either encoding, since UTF-8
            // never puts an ASCII byte inside a sequence.
            std::size_t end = i;
            while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
            for (const char32_t c : decodeText(text.substr(i, end - i), encoding)) appendUtf16Escape(escaped, c);
            i = end;
            continue;
        }
        switch (byte) {
        case '\\': escaped += "\\\\"; break;
        case '"': escaped += "\\\""; break;
        case '\'':
            escaped += kind == ScriptText::Caption ? "\\'" : kind == ScriptText::Address ? "%27" : "'";
            break;
        case '&': escaped += startsCharacterReference(text, i) ? "&" : "&amp;"; break;
        case '\r': escaped += "\\r"; break;
        case '\n': escaped += "\\n"; break;
        default: appendUtf16Unit(escaped, byte);  // a control character
        }
        ++i;
    }
    return escaped;
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
    if (tree.empty()) throw Error("No items to build!");
    const std::vector<Entry> entries = entriesOf(tree);
    refuseUnbuildable(entries);
    const TextEncoding encoding = projectEncoding(entries, options);
    const auto& pieces = TemplatePieces();
    const std::size_t n = entries.size();

    Lines lines;
    lines.reserve(n * 2 + 1200);
    appendPiece(lines, pieces[0]);

    // Image lines: every distinct replacement icon, numbered in order of first appearance.
    std::unordered_map<std::string, std::size_t> imageNumbers;
    std::vector<std::size_t> imageOf(n, 0);
    std::vector<const std::string*> images;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& image = entries[i].record->CustomImage;
        if (image.empty()) continue;
        auto [found, added] = imageNumbers.emplace(image, images.size());
        if (added) images.push_back(&image);
        imageOf[i] = found->second;
    }
    for (std::size_t k = 0; k < images.size(); ++k)
        lines.push_back("  this.ic" + std::to_string(k) + " = \"" +
                        EscapeScriptString(*images[k], encoding, ScriptText::Address) + "\" ");

    appendPiece(lines, pieces[1]);

    // Icon block: the document's icon chosen by its entry number.
    if (images.empty()) {
        lines.emplace_back("   doc.write(\"src='\"+this.iconSrc+\"' border=0>\")");
    } else {
        lines.emplace_back("   switch(this.id){");
        for (std::size_t i = 0; i < n; ++i) {
            if (entries[i].record->CustomImage.empty()) continue;
            lines.push_back("   case " + std::to_string(i) + ": doc.write(\"src='\"+this.ic" + std::to_string(imageOf[i]) +
                            "+\"' border=0>\"); break;");
        }
        lines.emplace_back("   default: doc.write(\"src='\"+this.iconSrc+\"' border=0>\");");
        lines.emplace_back("   } ");
    }

    appendPiece(lines, pieces[2]);

    // Open-folder lines: every folder that starts open, and every folder around one.
    {
        std::vector<std::string> states;
        std::vector<int> parents;
        states.reserve(n);
        parents.reserve(n);
        for (const Entry& entry : entries) {
            states.push_back(entry.record->OpenState);
            parents.push_back(entry.parent);
        }
        OpenStateList openStates(std::move(states), std::move(parents));
        for (std::size_t i = 1; i < n; ++i)
            if (!entries[i].node->isDocument() && openStates[static_cast<int>(i)] == "1")
                openStates.MarkAncestorsOpen(static_cast<int>(i));
        for (std::size_t i = 1; i < n; ++i)
            if (!entries[i].node->isDocument() && openStates[static_cast<int>(i)] == "1")
                lines.push_back("    clickOnNode(" + std::to_string(i) + ")");
    }

    appendPiece(lines, pieces[3]);

    lines.emplace_back(options.useTextLinks ? "USETEXTLINKS = 1 " : "USETEXTLINKS = 0 ");
    lines.push_back("TFRAME=\"" + EscapeScriptString(options.targetFrame, encoding, ScriptText::Name) + "\" ");
    lines.emplace_back("DWIN=0 ");
    lines.emplace_back("auto_opened_folder=-1;");
    lines.emplace_back(options.autoClose ? "bAUTOCLOSE=1;" : "bAUTOCLOSE=0;");
    lines.emplace_back();

    // Tree lines: the top folder, then every item below its parent's variable.
    const Entry& root = entries[0];
    lines.push_back("foldersTree = gFld(\"" + EscapeScriptString(root.node->caption, encoding) + "\", \"" +
                    EscapeScriptString(root.record->URL, encoding, ScriptText::Address) + "\")");
    std::string caption, link;
    for (std::size_t i = 1; i < n; ++i) {
        const Entry& entry = entries[i];
        caption = EscapeScriptString(entry.node->caption, encoding);
        link = EscapeScriptString(entry.record->URL, encoding, ScriptText::Address);
        const std::string parent = parentExpression(entry.parent);
        std::string line;
        line.reserve(caption.size() + link.size() + parent.size() + 48);
        if (entry.node->isDocument())
            line.append("insDoc(").append(parent).append(", gLnk(")
                .append(EscapeScriptString(entry.record->Target, encoding))
                .append(", ");
        else
            line.append("a").append(std::to_string(i)).append(" = insFld(").append(parent).append(", gFld(");
        line.append("\"").append(caption).append("\", \"").append(link).append("\"))");
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace quillmap
