#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextEncoding.h"
#include "text/TextFile.h"
#include "tree/ItemTree.h"

namespace quillmap {

// The options that apply to the whole menu: txtTFRAME, chkUSETEXTLINKS and chkAutoClose.
struct GlobalOptions {
    std::string targetFrame = "main_frame";
    bool useTextLinks = true;
    bool autoClose = false;
    bool operator==(const GlobalOptions&) const = default;
};

// What a text is to the script, which decides how an apostrophe is written. The rows put links
// and image names between apostrophes in their markup, so there an apostrophe becomes %27 (the
// same file or address for the browser); in a caption or a target it becomes \'; a name (the
// target frame) keeps it.
enum class ScriptText { Caption, Address, Name };

// Prepares a text, given in the project's encoding, for a double-quoted string of the script:
// backslashes and double quotes get a backslash, apostrophes are written as the kind asks, and
// line breaks, which no stored text should hold, become \r and \n so that the string stays on its
// line. Every other character outside printable ASCII becomes \u and four lowercase hex digits
// (UTF-16 units), so the script is pure ASCII and shows the same text in a page of any charset.
// "<", ">" and "&" pass as they are in captions, which are markup. Links and image names go into
// HTML attributes, so there an "&" becomes "&amp;" and the browser gets the link back as typed;
// one that already starts a character reference ("&amp;", "&#38;") is left to the browser, as
// menus have always done.
std::string EscapeScriptString(std::string_view text, TextEncoding encoding,
                               ScriptText kind = ScriptText::Caption);
// The same, appended to out.
void appendScriptString(std::string& out, std::string_view text, TextEncoding encoding,
                        ScriptText kind = ScriptText::Caption);

// The build's open-state list: one entry per item in absolute-index order ("1" opened, "0"
// closed, "-1" for documents), to which the build adds the ancestors of opened folders.
class OpenStateList {
public:
    // parents[i] is the absolute index of item i's parent, -1 for a top-level item.
    OpenStateList(std::vector<std::string> states, std::vector<int> parents);

    // Sets the entries of every ancestor of the item at index to "1", the root excepted.
    // A chain of ancestors is climbed only once however many opened folders it holds.
    void MarkAncestorsOpen(int index);

    const std::string& operator[](int index) const { return states_[static_cast<std::size_t>(index)]; }
    std::size_t size() const { return states_.size(); }

private:
    std::vector<std::string> states_;
    std::vector<int> parents_;
    std::vector<char> climbed_;
};

// The lines of Quillnav.js for the tree and the options: the four template pieces with the image
// lines, the icon block, the open-folder lines, the global lines and the tree lines after them.
// The texts are read as UTF-8 when every text of the items and the frame name is valid UTF-8,
// otherwise as the 8-bit code page.
//
// Trees that a damaged or hand-made project file can hold but the tree commands never make are
// refused with quillmap::Error before anything is written, because the script has one top folder
// and only folders have entries below them: a second top-level item, or an item below a
// document other than the top item. A document whose Target is not an integer text is refused
// with the integer error, since it would not be valid script.
Lines BuildScriptLines(const ItemTree& tree, const GlobalOptions& options);
// The same lines as the text of Quillnav.js, each ending in CR LF, from the tree read already, as
// a build that writes both menus does. A site's menu is given its folder's place in the site
// ('/'-separated, "" for the site folder itself): its links, relative to the site folder, then
// lead there from a page in any folder.
struct MenuEntries;
std::string BuildScriptText(const MenuEntries& entries, const GlobalOptions& options,
                            const std::optional<std::string>& menuInSite = std::nullopt);

}  // namespace quillmap
