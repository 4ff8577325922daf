#pragma once
#include <functional>
#include <string>
#include <utility>

#include "undo/ProjectChange.h"

namespace quillmap {

// The whole project replaced by another version of it (the file as another program left it):
// undo shows the window's own version again, redo the other one. Both are kept as project text.
class ProjectReload : public ProjectChange {
public:
    using Show = std::function<void(const std::string& projectText)>;

    ProjectReload(std::string before, std::string after, Show show)
        : before_(std::move(before)), after_(std::move(after)), show_(std::move(show))
    {
    }

    void undo() override { show_(before_); }

protected:
    void redoChange() override { show_(after_); }

private:
    std::string before_;
    std::string after_;
    Show show_;
};

}  // namespace quillmap
