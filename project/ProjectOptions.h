#pragma once
#include <string>

#include "styles/StyleSheet.h"

namespace quillmap {

// The global options a project file carries beside its items.
struct ProjectOptions {
    std::string targetFrame = "main_frame";
    bool useTextLinks = true;
    bool autoClose = false;
    MenuLook look;

    bool operator==(const ProjectOptions&) const = default;
};

}  // namespace quillmap
