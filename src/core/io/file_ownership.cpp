#include "core/io/file_ownership.hpp"

#include <sys/stat.h>

#include <algorithm>

namespace glyphloom {

std::optional<FileStamp> fileStamp(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    return stamp;
}

FileStanding standingOf(const std::string& path, std::span<const OwnedFile> owned) {
    const auto now = fileStamp(path);
    if (!now) return FileStanding::absent;
    const auto mine = std::find_if(owned.begin(), owned.end(), [&](const OwnedFile& f) { return f.path == path; });
    if (mine == owned.end()) return FileStanding::foreign;
    return mine->stamp == *now ? FileStanding::owned : FileStanding::changed;
}

bool writtenAlongside(const FileStamp& document, const FileStamp& companion) {
    constexpr std::int64_t window = 60'000'000'000;
    const std::int64_t after = companion.modifiedNs - document.modifiedNs;
    return after >= 0 && after <= window;
}

}  // namespace glyphloom
