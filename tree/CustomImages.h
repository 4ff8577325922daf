#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace quillmap {

// Names of the replacement document pictures in the out folder beside the program:
// "ftv2doc_1.gif", "ftv2doc_2.gif", ... up to the first missing number (at most 9999).
std::vector<std::string> listCustomImages(const std::filesystem::path& appFolder);
// The same in the given out folder (the user's own, when the program's cannot be written).
std::vector<std::string> listCustomImagesIn(const std::filesystem::path& outFolder);

}  // namespace quillmap
