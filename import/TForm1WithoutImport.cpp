// The main window of a build without the site import (a cross build for a system that lacks
// Gumbo or pugixml): the open button's and the tree's menus have no import entries.
#include "app/TForm1.h"

namespace quillmap {

void TForm1::setUpImportActions() {}

void TForm1::addImportEntries(QMenu*) {}

void TForm1::mnuImportFolderClick() {}

void TForm1::mnuImportSitemapClick() {}

}  // namespace quillmap
