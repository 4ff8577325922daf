#pragma once
// The site folder of each project file: the folder of the page that shows the menu, from which
// the link check finds local links and the link picker writes them. Kept per user in the
// platform's settings store; a project not saved yet keeps its folder while the program runs.
// A project with a site uses its own site folder instead.
#include <QString>

#include "project/ProjectSite.h"

namespace quillmap {

// Empty when none is known for the project file (empty: the project not saved yet).
QString rememberedSiteFolder(const QString& projectFile);
void rememberSiteFolder(const QString& projectFile, const QString& folder);

// The folder local links are found from: the site folder of a project with a site (its folders
// absolute, as the window keeps them), else the one remembered for the project file.
QString siteFolderFor(const ProjectSite& site, const QString& projectFile);

}  // namespace quillmap
