#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace quillmap {

// The projects last opened or saved, the newest first, each once, at most Capacity of them.
class RecentProjects {
public:
    static constexpr std::size_t Capacity = 8;

    RecentProjects() = default;
    // Empty names are skipped, later repeats dropped and the list cut to Capacity.
    explicit RecentProjects(const std::vector<std::string>& files);

    const std::vector<std::string>& files() const { return files_; }
    // Puts file first, taking it out of its older place.
    void add(const std::string& file);
    void remove(const std::string& file);

private:
    std::vector<std::string> files_;
};

}  // namespace quillmap
