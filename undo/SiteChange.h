#pragma once
#include <QCoreApplication>

#include "project/ProjectDocument.h"
#include "project/ProjectSite.h"
#include "undo/ProjectChange.h"

namespace quillmap {

// The project's site set, changed or cleared in the Site dialog: one step, whatever changed.
class SiteChange : public ProjectChange {
public:
    SiteChange(ProjectDocument& document, ProjectSite before, ProjectSite after)
        : ProjectChange(QCoreApplication::translate("SiteChange", "Site")), document_(document),
          before_(std::move(before)), after_(std::move(after))
    {
    }

    void undo() override { document_.site = before_; }

protected:
    void redoChange() override { document_.site = after_; }

private:
    ProjectDocument& document_;
    ProjectSite before_;
    ProjectSite after_;
};

}  // namespace quillmap
