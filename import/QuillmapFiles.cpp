#include "import/QuillmapFiles.h"

#include <cstdio>
#include <memory>
#include <string_view>

#include "text/TextFile.h"
#include "import/AsciiText.h"
#include "import/ReadFile.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {

// The first bytes of a file, enough for the head a build writes; empty when it cannot be read.
std::string startOf(const fs::path& file, std::size_t bytes = 2048)
{
    const ReadFile in = openToRead(file);
    if (!in) return {};
    std::string text(bytes, '\0');
    text.resize(std::fread(text.data(), 1, bytes, in.get()));
    return text;
}

bool holds(const fs::path& file, std::string_view text)
{
    return startOf(file).find(text) != std::string::npos;
}

// The titles of the test pages the builds write, and the first line of the menu without script.
constexpr std::string_view OutTestPageTitle = "<title>Quillmap tree menu test page</title>";
constexpr std::string_view StaticTestPageTitle = "<title>Quillmap tree menu without script: test page</title>";
constexpr std::string_view SiteTestPageTitle = "<title>Quillmap: the site's menu</title>";
constexpr std::string_view StaticMenuStart = "<!-- Quillmap menu without script:";

// An out folder: a build's test page in it.
bool isOutFolder(const fs::path& folder)
{
    return holds(folder / "index.html", OutTestPageTitle) || holds(folder / "static.html", StaticTestPageTitle);
}

}  // namespace

bool isQuillmapPage(const fs::path& folder, const std::string& name)
{
    const std::string l = asciiLower(name);
    const fs::path file = folder / pathFromText(name);
    if (l == "quillmap-test.html") return holds(file, SiteTestPageTitle);
    if (l == "quillnav.html") return holds(file, StaticMenuStart);
    if (l == "index.html") return holds(file, OutTestPageTitle);
    if (l == "static.html") return holds(file, StaticTestPageTitle);
    if (l == "welcome.html") return isOutFolder(folder) && holds(file, "Quillmap");
    return false;
}

bool isQuillmapFolder(const fs::path& parent, const std::string& name)
{
    const fs::path folder = parent / pathFromText(name);
    std::error_code ec;
    if (holds(folder / "quillmap-test.html", SiteTestPageTitle) && fs::is_regular_file(folder / "Quillnav.js", ec))
        return true;
    return name == "sample-site" && isOutFolder(parent);
}

bool pageHoldsFrames(const fs::path& file)
{
    const ReadFile in = openToRead(file);
    if (!in) return false;
    // Read in blocks; a tag cut by a block's end is found again from the kept tail.
    constexpr std::size_t Block = 64 * 1024, Kept = 256;
    std::string text;
    std::string block(Block, '\0');
    for (;;) {
        const std::size_t got = std::fread(block.data(), 1, Block, in.get());
        if (got == 0) return false;
        text += asciiLower(std::string_view(block.data(), got));
        if (text.find("<frameset") != std::string::npos) return true;
        for (std::size_t at = text.find("<iframe"); at != std::string::npos; at = text.find("<iframe", at + 1)) {
            const std::size_t end = text.find('>', at);
            const std::string_view tag = std::string_view(text).substr(at, end == std::string::npos ? text.npos : end - at);
            if (tag.find(" name=") != std::string_view::npos || tag.find("\tname=") != std::string_view::npos ||
                tag.find("\nname=") != std::string_view::npos)
                return true;
        }
        if (text.size() > Kept) text.erase(0, text.size() - Kept);
    }
}

}  // namespace quillmap
