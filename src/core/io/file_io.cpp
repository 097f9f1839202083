#include "core/io/file_io.hpp"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/io/large_buffer.hpp"
#include "core/io/write_all.hpp"

namespace glyphloom {
namespace {

std::string reason(const char* what, int error) { return std::string(what) + ": " + std::strerror(error); }

// Closes a descriptor when it goes out of scope, keeping errno of the failing call intact.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            const int saved = errno;
            ::close(fd_);
            errno = saved;
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now so that a failing close (delayed write error) can be reported.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// A fresh file next to `path`, created with `mode` (0666 lets the kernel apply the umask
// the way it does for any new file; reading the umask would mean changing it, which races
// with every other thread creating files).
int createTemporaryNear(const std::string& path, std::string& temp, mode_t mode) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto tick = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
        temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
               std::to_string(tick % 1000000);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool inOurGroups(gid_t group) {
    if (group == ::getegid()) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int filled = ::getgroups(count, groups.data());
    return filled > 0 && std::find(groups.begin(), groups.begin() + filled, group) != groups.begin() + filled;
}

// Whether the bits grant us writing: the owner's, the group's or everyone else's, whichever
// class we fall in. Root passes any write bit: it may write anything, but a file nobody may
// write was made so on purpose.
bool bitsAllowWriting(const struct stat& info) {
    const uid_t user = ::geteuid();
    if (user == 0) return (info.st_mode & 0222) != 0;
    if (info.st_uid == user) return (info.st_mode & S_IWUSR) != 0;
    if (inOurGroups(info.st_gid)) return (info.st_mode & S_IWGRP) != 0;
    return (info.st_mode & S_IWOTH) != 0;
}

}  // namespace

std::string resolvedWriteTarget(const std::string& path) {
    std::string current = path;
    // As many hops as the kernel itself follows before calling it a loop.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0) + 256, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return current;
        target.resize(static_cast<std::size_t>(length));
        current = target.front() == '/' ? target : folderOf(current) + "/" + target;
    }
    return current;
}

bool isReadOnlyFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && !bitsAllowWriting(info);
}

std::optional<unsigned> permissionBits(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return static_cast<unsigned>(info.st_mode & 07777);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string homeDirectory(const char* home) {
    if (home != nullptr && *home != '\0') return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
    return ".";
}

std::string homeDirectory() { return homeDirectory(std::getenv("HOME")); }

std::string glyphloomConfigFolder(const char* xdgConfigHome, const char* home) {
    const std::string base = xdgConfigHome != nullptr && *xdgConfigHome != '\0' ? std::string(xdgConfigHome)
                                                                                : homeDirectory(home) + "/.config";
    return base + "/glyphloom";
}

std::string glyphloomConfigFolder() {
    return glyphloomConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string glyphloomStateFolder(const char* xdgStateHome, const char* home) {
    const std::string base = xdgStateHome != nullptr && *xdgStateHome != '\0' ? std::string(xdgStateHome)
                                                                              : homeDirectory(home) + "/.local/state";
    return base + "/glyphloom";
}

std::string glyphloomStateFolder() { return glyphloomStateFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")); }

FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return {std::nullopt, reason("open", errno)};
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return {std::nullopt, reason("stat", errno)};
    if (S_ISDIR(info.st_mode)) return {std::nullopt, "is a folder"};
    if (info.st_size > 0 && static_cast<std::uint64_t>(info.st_size) > maxBytes) return {std::nullopt, "too large"};

    // The size from stat is only a hint (special files report 0); read until the end, but
    // never past the bound. Reads land in the result itself: documents run to tens of
    // megabytes, and a copy through a small buffer would double the work.
    std::vector<std::uint8_t> data;
    reserveLargeBuffer(data, static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0) + 1);
    std::size_t filled = 0;
    std::size_t chunk = static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0) + 1;
    for (;;) {
        if (filled == data.size()) {
            // One more than the stated size, so that the end is seen without a second pass.
            if (filled >= maxBytes + 1) return {std::nullopt, "too large"};
            data.resize(std::min(filled + chunk, maxBytes + 1));
            chunk = 65536;
        }
        const ssize_t n = ::read(fd.get(), data.data() + filled, data.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {std::nullopt, reason("read", errno)};
        }
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
        if (filled > maxBytes) return {std::nullopt, "too large"};
    }
    data.resize(filled);
    return {std::move(data), {}};
}

FileReadResult readFileHead(const std::string& path, std::size_t maxBytes) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return {std::nullopt, reason("open", errno)};
    std::vector<std::uint8_t> data(maxBytes);
    std::size_t filled = 0;
    while (filled < maxBytes) {
        const ssize_t n = ::read(fd.get(), data.data() + filled, maxBytes - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {std::nullopt, reason("read", errno)};
        }
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    data.resize(filled);
    return {std::move(data), {}};
}

std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data,
                                const DescriptorWriter& write) {
    // A writer that takes the whole buffer at once: it either wrote all of it or failed.
    return writeFileAtomically(path, data, [&write](int fd, const char* bytes, std::size_t count) -> ssize_t {
        return write(fd, {reinterpret_cast<const std::uint8_t*>(bytes), count}) ? static_cast<ssize_t>(count) : -1;
    });
}

std::string currentDirectory() {
    std::string buffer(4096, '\0');
    if (::getcwd(buffer.data(), buffer.size()) == nullptr) return {};
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return buffer;
}

namespace {

// The one way a file of ours is replaced: `fill` writes the temporary file (false with errno
// set on failure), which then takes the target's name. `options` say whether the data and
// the rename are flushed to the disk first, and which permission bits the file gets.
std::string replaceAtomically(const std::string& named, const std::function<bool(int fd)>& fill,
                              const WriteOptions& options) {
    if (named.empty()) return "no file name";
    // Renaming over a link would turn it into a plain file and leave what it points at
    // stale; the file at the end of the link is the one replaced.
    const std::string path = resolvedWriteTarget(named);
    struct stat existing {};
    const bool replacing = ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (replacing && !bitsAllowWriting(existing)) return std::string(readOnlyReason);

    // The temporary file lives in the target's folder, so the rename stays on one file system.
    // It starts private whenever its final bits are known, so no one can open it meanwhile.
    const bool bitsKnown = replacing || options.mode.has_value();
    std::string temp;
    Descriptor fd(createTemporaryNear(path, temp, bitsKnown ? 0600 : 0666));
    if (fd.get() < 0) return reason("create", errno);

    auto fail = [&temp](const char* what) {
        const std::string message = reason(what, errno);
        ::unlink(temp.c_str());
        return message;
    };
    // A file being replaced keeps its owner and group where the system lets us (root saving
    // a user's file must not take it over; anyone else may at least keep the group), then
    // its permissions: saving over a private file must not make it readable by others. The
    // owner goes first, as changing it may clear set-id bits.
    if (replacing && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
        if (::fchown(fd.get(), existing.st_uid, existing.st_gid) != 0)
            static_cast<void>(::fchown(fd.get(), static_cast<uid_t>(-1), existing.st_gid));
    }
    if (bitsKnown) {
        const auto bits = static_cast<mode_t>(options.mode ? *options.mode & 07777 : existing.st_mode & 07777);
        if (::fchmod(fd.get(), bits) != 0) return fail("chmod");
    }
    errno = 0;
    if (!fill(fd.get())) {
        if (errno == 0) errno = EIO;
        return fail("write");
    }
    const bool sync = options.durability == Durability::synced;
    if (sync && ::fsync(fd.get()) != 0) return fail("fsync");
    if (!fd.close()) return fail("close");
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail("rename");
    if (!sync) return {};

    // Make the rename itself durable; a failure here no longer endangers the data.
    Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    return {};
}

}  // namespace

std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data,
                                const FileWriteCall& write) {
    return replaceAtomically(
        path,
        [&](int fd) {
            const auto writeToFile = [&write, fd](const char* bytes, std::size_t count) { return write(fd, bytes, count); };
            return writeAllWith(writeToFile, reinterpret_cast<const char*>(data.data()), data.size());
        },
        WriteOptions{});
}

std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data,
                                const WriteOptions& options) {
    return replaceAtomically(
        path, [&](int fd) { return writeAll(fd, data.data(), data.size()); }, options);
}

std::string writeFileAtomically(const std::string& path, const ByteProducer& produce, const WriteOptions& options) {
    return replaceAtomically(
        path,
        [&](int fd) {
            // The sink's own failure keeps its errno; a producer that gives up has none.
            return produce([fd](std::span<const std::uint8_t> piece) { return writeAll(fd, piece.data(), piece.size()); });
        },
        options);
}

std::string writeFileAtomically(const std::string& path, const ByteProducer& produce, Durability durability) {
    return writeFileAtomically(path, produce, WriteOptions{durability, std::nullopt});
}

std::string writeOutputFile(const std::string& path, std::span<const std::uint8_t> data) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))
        return writeFileAtomically(path, data, WriteOptions{});
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0) return reason("open", errno);
    if (!writeAll(fd.get(), data.data(), data.size())) return reason("write", errno);
    if (!fd.close()) return reason("close", errno);
    return {};
}

std::string writeFileAtomically(const std::string& path, std::string_view data) {
    return writeFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
}

bool createDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::string partial;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto slash = path.find('/', start);
        const auto end = slash == std::string::npos ? path.size() : slash;
        partial = path.substr(0, end);
        if (!partial.empty() && ::mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace glyphloom
