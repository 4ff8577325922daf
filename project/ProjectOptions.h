#pragma once
#include "generator/ScriptBuilder.h"
#include "project/ProjectSite.h"
#include "styles/StyleSheet.h"

namespace quillmap {

// The global options a project file carries beside its items: the menu's options, its look and
// its site.
struct ProjectOptions : GlobalOptions {
    MenuLook look;
    ProjectSite site;

    bool operator==(const ProjectOptions&) const = default;
};

}  // namespace quillmap
