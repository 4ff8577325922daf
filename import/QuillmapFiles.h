#pragma once
// Recognises the files Quillmap's own builds put into a site, so that an import leaves them out:
// the menu folder of a site build, the test pages, the menu without script and the sample site of
// an out folder. They are told by their content, never by name alone: a site's own index.html or
// welcome.html is a page like any other.
#include <filesystem>
#include <string>

namespace quillmap {

// Whether the page file named name in folder is one a build wrote.
bool isQuillmapPage(const std::filesystem::path& folder, const std::string& name);

// Whether a folder in parent holds only what a build wrote: the menu folder of a site build (its
// test page beside the script menu) or the sample site beside an out folder's test page.
bool isQuillmapFolder(const std::filesystem::path& parent, const std::string& name);

// Whether a page holds frames: a <frameset>, or an <iframe> with a name that links can target.
bool pageHoldsFrames(const std::filesystem::path& file);

}  // namespace quillmap
