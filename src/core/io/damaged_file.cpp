#include "core/io/damaged_file.hpp"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

namespace glyphloom {
namespace {

// Far more mishaps than anyone lets pile up; past it the set-aside is reported as failed.
constexpr int maxKeptCopies = 100;

std::string baseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string copyName(const std::string& path, int n) {
    return path + ".corrupt" + (n == 1 ? std::string() : "-" + std::to_string(n));
}

// A copy of these very bytes made at an earlier start, if any: the same damage is kept once.
std::optional<std::string> earlierCopy(const std::string& path, const FileReadResult& file) {
    if (!file.data) return std::nullopt;
    for (int n = 1; n <= maxKeptCopies; ++n) {
        const std::string name = copyName(path, n);
        if (!fileExists(name)) return std::nullopt;
        const FileReadResult kept = readWholeFile(name, file.data->size());
        if (kept.data && *kept.data == *file.data) return name;
    }
    return std::nullopt;
}

// Claims a free name (O_EXCL), so that a copy never replaces another; -1 with errno when
// none can be had.
int claimFreeName(const std::string& path, std::string& claimed) {
    for (int n = 1; n <= maxKeptCopies; ++n) {
        claimed = copyName(path, n);
        const int fd = ::open(claimed.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

KeptCopy keepDamagedCopy(const std::string& path, const FileReadResult& file) {
    if (auto earlier = earlierCopy(path, file)) return {*earlier, {}};
    std::string claimed;
    const int fd = claimFreeName(path, claimed);
    if (fd < 0) return {{}, std::strerror(errno)};
    ::close(fd);
    std::string error;
    if (file.data) {
        // The claimed (empty) name is replaced whole, so a failure leaves no half copy.
        error = writeFileAtomically(claimed, *file.data);
    } else {
        // Too large or unreadable to hold in memory: let the file system copy what it can.
        std::error_code code;
        std::filesystem::copy_file(path, claimed, std::filesystem::copy_options::overwrite_existing, code);
        if (code) error = code.message();
    }
    if (!error.empty()) {
        std::error_code ignored;
        std::filesystem::remove(claimed, ignored);
        return {{}, error};
    }
    return {claimed, {}};
}

std::string damagedFileNote(const std::string& path, const KeptCopy& kept) {
    if (kept.error.empty()) return baseName(path) + " was damaged: set aside as " + baseName(kept.path);
    return baseName(path) + " is damaged and couldn't be set aside: " + kept.error;
}

}  // namespace glyphloom
