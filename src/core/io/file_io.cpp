#include "core/io/file_io.hpp"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

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

bool writeAll(int fd, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

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

FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return {std::nullopt, reason("open", errno)};
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return {std::nullopt, reason("stat", errno)};
    if (S_ISDIR(info.st_mode)) return {std::nullopt, "is a folder"};
    if (info.st_size > 0 && static_cast<std::uint64_t>(info.st_size) > maxBytes) return {std::nullopt, "too large"};

    // The size from stat is only a hint (special files report 0); read until the end, but
    // never past the bound.
    std::vector<std::uint8_t> data;
    data.reserve(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0));
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {std::nullopt, reason("read", errno)};
        }
        if (n == 0) break;
        if (data.size() + static_cast<std::size_t>(n) > maxBytes) return {std::nullopt, "too large"};
        data.insert(data.end(), buffer, buffer + n);
    }
    return {std::move(data), {}};
}

std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data) {
    if (path.empty()) return "no file name";
    // mkstemp picks a fresh name in the target's folder, so the rename stays on one file system.
    std::string temp = path + ".tmp-XXXXXX";
    Descriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0) return reason("create", errno);

    auto fail = [&temp](const char* what) {
        const std::string message = reason(what, errno);
        ::unlink(temp.c_str());
        return message;
    };
    // mkstemp creates the file private (0600); give it the usual permissions of a document.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd.get(), 0666 & ~mask) != 0) return fail("chmod");
    if (!writeAll(fd.get(), data.data(), data.size())) return fail("write");
    if (::fsync(fd.get()) != 0) return fail("fsync");
    if (!fd.close()) return fail("close");
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail("rename");

    // Make the rename itself durable; a failure here no longer endangers the data.
    Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
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

}  // namespace glyphloom
