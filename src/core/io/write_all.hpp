// Writing a whole buffer through calls shaped like write(2), which may take only part of it
// or be interrupted by a signal. One loop for the screen, the terminal's own sequences and
// file saving.
#pragma once

#include <sys/types.h>

#include <cerrno>
#include <cstddef>

namespace glyphloom {

// `write(data, size)` returns how many bytes it took, or -1 with errno set. Carries on after
// a short write and retries after EINTR; false on any other error, and when a call takes
// nothing (which would otherwise loop for ever). Allocates nothing, so a signal handler may
// use it.
template <typename Write>
bool writeAllWith(Write&& write, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = write(data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        const auto taken = static_cast<std::size_t>(n) < size ? static_cast<std::size_t>(n) : size;
        data += taken;
        size -= taken;
    }
    return true;
}

// The same through write(2) on a descriptor.
bool writeAll(int fd, const void* data, std::size_t size);

}  // namespace glyphloom
