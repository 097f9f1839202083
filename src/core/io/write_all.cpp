// The descriptor form of the whole-buffer write.
#include "core/io/write_all.hpp"

#include <unistd.h>

namespace glyphloom {

bool writeAll(int fd, const void* data, std::size_t size) {
    return writeAllWith([fd](const char* bytes, std::size_t count) { return ::write(fd, bytes, count); },
                        static_cast<const char*>(data), size);
}

}  // namespace glyphloom
