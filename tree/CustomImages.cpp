#include "tree/CustomImages.h"

#include "text/TextFile.h"

namespace quillmap {

std::vector<std::string> listCustomImages(const std::filesystem::path& appFolder)
{
    return listCustomImagesIn(appFolder / "out");
}

std::vector<std::string> listCustomImagesIn(const std::filesystem::path& outFolder)
{
    std::vector<std::string> names;
    for (int n = 1; n <= 9999; ++n) {
        std::string name = "ftv2doc_" + std::to_string(n) + ".gif";
        if (!fileExists(outFolder / name)) break;
        names.push_back(std::move(name));
    }
    return names;
}

}  // namespace quillmap
