#pragma once
// The site folder of each project file: the folder of the page that shows the menu, from which
// the link check finds local links and the link picker writes them. Kept per user in the
// platform's settings store; a project not saved yet keeps its folder while the program runs.
#include <QString>

namespace quillmap {

// Empty when none is known for the project file (empty: the project not saved yet).
QString rememberedSiteFolder(const QString& projectFile);
void rememberSiteFolder(const QString& projectFile, const QString& folder);

}  // namespace quillmap
