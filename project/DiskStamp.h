#pragma once
// What a window last read from or wrote to its project file, to notice when another program
// changes the file under it.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace quillmap {

enum class DiskChange { None, Changed, Deleted };

// What a stamp knows, as numbers to keep elsewhere (in a recovery copy): the file's size, its
// modification time in the file clock's ticks, and the hash of its bytes.
struct DiskStampValues {
    std::uintmax_t size = 0;
    std::int64_t modified = 0;
    std::uint64_t hash = 0;
    bool operator==(const DiskStampValues&) const = default;
};

class DiskStamp {
public:
    DiskStamp() = default;
    // The stamp of text, just read from or written to path.
    DiskStamp(const std::filesystem::path& path, std::string_view text);
    explicit DiskStamp(const DiskStampValues& values);

    // None for an empty stamp.
    std::optional<DiskStampValues> values() const;

    // How the file at path compares with the stamp. Only other bytes count: a file rewritten with
    // the same text, or only touched, is unchanged, and the stamp takes its new time so that it is
    // not read again. An empty stamp (a project never read or written) sees no change.
    DiskChange check(const std::filesystem::path& path);

private:
    bool known_ = false;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type modified_{};
    std::uint64_t hash_ = 0;
};

}  // namespace quillmap
