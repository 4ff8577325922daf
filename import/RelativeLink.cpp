#include "import/RelativeLink.h"

#include "import/AsciiText.h"

namespace quillmap {

namespace {

bool keptInLink(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("-._~!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string_view::npos;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string encodeLinkSegment(std::string_view segment) { return percentEncoded(segment, keptInLink); }

std::string decodeLinkSegment(std::string_view segment)
{
    std::string out;
    out.reserve(segment.size());
    for (std::size_t i = 0; i < segment.size(); ++i) {
        if (segment[i] == '%' && i + 2 < segment.size() + 0 && hexValue(segment[i + 1]) >= 0 &&
            hexValue(segment[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(segment[i + 1]) * 16 + hexValue(segment[i + 2]));
            i += 2;
        } else {
            out += segment[i];
        }
    }
    return out;
}

std::string folderLinkPrefix(const std::filesystem::path& base, const std::filesystem::path& folder)
{
    std::string prefix;
    for (const auto& part : folder.lexically_relative(base)) {
        const std::string segment = part.string();
        if (segment.empty() || segment == ".") continue;
        prefix += (segment == ".." ? segment : encodeLinkSegment(segment)) + "/";
    }
    return prefix;
}

std::string relativeLinkText(std::string link)
{
    const std::size_t end = link.find_first_of("/?#");
    if (link.substr(0, end).find(':') != std::string::npos) link.insert(0, "./");
    return link;
}

std::optional<std::string> linkInsideFolder(const std::filesystem::path& file, const std::filesystem::path& folder)
{
    const std::filesystem::path normalFile = file.lexically_normal();
    std::filesystem::path normalFolder = folder.lexically_normal();
    if (!normalFolder.has_filename() && normalFolder.has_relative_path()) normalFolder = normalFolder.parent_path();
    const std::filesystem::path relative = normalFile.lexically_relative(normalFolder);
    if (relative.empty() || relative == "." || *relative.begin() == "..") return std::nullopt;
    return relativeLinkText(folderLinkPrefix(normalFolder, normalFile.parent_path()) +
                            encodeLinkSegment(normalFile.filename().string()));
}

}  // namespace quillmap
