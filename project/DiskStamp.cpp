#include "project/DiskStamp.h"

#include <system_error>

#include "text/TextFile.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {

// FNV-1a: enough to tell one version of a file from another, not meant against forgery.
std::uint64_t hashOf(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

DiskStamp::DiskStamp(const fs::path& path, std::string_view text) : known_(true), size_(text.size()), hash_(hashOf(text))
{
    std::error_code ec;
    modified_ = fs::last_write_time(path, ec);
}

DiskStamp::DiskStamp(const DiskStampValues& values)
    : known_(true), size_(values.size), modified_(fs::file_time_type::duration(values.modified)), hash_(values.hash)
{
}

std::optional<DiskStampValues> DiskStamp::values() const
{
    if (!known_) return std::nullopt;
    return DiskStampValues{size_, static_cast<std::int64_t>(modified_.time_since_epoch().count()), hash_};
}

DiskChange DiskStamp::check(const fs::path& path)
{
    if (!known_) return DiskChange::None;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return DiskChange::Deleted;
    const std::uintmax_t size = fs::file_size(path, ec);
    const fs::file_time_type modified = fs::last_write_time(path, ec);
    if (ec) return DiskChange::None;  // unreadable now: the save itself will tell
    if (size == size_ && modified == modified_) return DiskChange::None;
    if (size != size_) return DiskChange::Changed;
    try {
        if (hashOf(readWholeFile(path)) != hash_) return DiskChange::Changed;
    } catch (...) {
        return DiskChange::None;
    }
    modified_ = modified;
    return DiskChange::None;
}

}  // namespace quillmap
