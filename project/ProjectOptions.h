#pragma once
#include "generator/ScriptBuilder.h"
#include "styles/StyleSheet.h"

namespace quillmap {

// The global options a project file carries beside its items: the menu's options and its look.
struct ProjectOptions : GlobalOptions {
    MenuLook look;

    bool operator==(const ProjectOptions&) const = default;
};

}  // namespace quillmap
