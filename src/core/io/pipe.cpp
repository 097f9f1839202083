#include "core/io/pipe.hpp"

#include <fcntl.h>
#include <unistd.h>

namespace glyphloom {

bool openPipe(int fds[2], bool nonBlocking) {
#if defined(GLYPHLOOM_HAVE_PIPE2)
    return ::pipe2(fds, O_CLOEXEC | (nonBlocking ? O_NONBLOCK : 0)) == 0;
#else
    return openPipeStepwise(fds, nonBlocking);
#endif
}

bool openPipeStepwise(int fds[2], bool nonBlocking) {
    if (::pipe(fds) != 0) return false;
    for (int i = 0; i < 2; ++i) {
        const int statusFlags = ::fcntl(fds[i], F_GETFL);
        const bool ok = ::fcntl(fds[i], F_SETFD, FD_CLOEXEC) == 0 && statusFlags != -1 &&
                        (!nonBlocking || ::fcntl(fds[i], F_SETFL, statusFlags | O_NONBLOCK) == 0);
        if (!ok) {
            ::close(fds[0]);
            ::close(fds[1]);
            return false;
        }
    }
    return true;
}

}  // namespace glyphloom
