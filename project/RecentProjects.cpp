#include "project/RecentProjects.h"

#include <algorithm>

namespace quillmap {

RecentProjects::RecentProjects(const std::vector<std::string>& files)
{
    for (auto it = files.rbegin(); it != files.rend(); ++it) add(*it);
}

void RecentProjects::add(const std::string& file)
{
    if (file.empty()) return;
    remove(file);
    files_.insert(files_.begin(), file);
    if (files_.size() > Capacity) files_.resize(Capacity);
}

void RecentProjects::remove(const std::string& file) { std::erase(files_, file); }

}  // namespace quillmap
