#pragma once
#include <string>

namespace quillmap {

// The record every tree item carries. Target and OpenState hold decimal integer text.
struct TMyRec {
    std::string URL;
    std::string Target;
    std::string OpenState;
    std::string CustomImage;

    static TMyRec folderDefaults() { return {"", "0", "0", ""}; }
    static TMyRec documentDefaults() { return {"", "0", "-1", ""}; }

    bool operator==(const TMyRec&) const = default;
};

}  // namespace quillmap
