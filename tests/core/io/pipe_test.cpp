#include "core/io/pipe.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace glyphloom {
namespace pipe_test {

// Both ways of making a pipe, asked for either blocking mode: both ends must come back
// close-on-exec, non-blocking exactly when asked, and carry bytes from one end to the other.
TEST(Pipe, EndsAreCloseOnExecAndBlockAsAsked) {
    for (const auto make : {&openPipe, &openPipeStepwise}) {
        for (const bool nonBlocking : {false, true}) {
            SCOPED_TRACE(testing::Message() << (make == &openPipe ? "openPipe" : "stepwise")
                                            << (nonBlocking ? " non-blocking" : " blocking"));
            int fds[2] = {-1, -1};
            ASSERT_TRUE(make(fds, nonBlocking));
            for (const int fd : fds) {
                EXPECT_TRUE(::fcntl(fd, F_GETFD) & FD_CLOEXEC);
                EXPECT_EQ((::fcntl(fd, F_GETFL) & O_NONBLOCK) != 0, nonBlocking);
            }
            char byte = 'x';
            ASSERT_EQ(::write(fds[1], &byte, 1), 1);
            byte = 0;
            ASSERT_EQ(::read(fds[0], &byte, 1), 1);
            EXPECT_EQ(byte, 'x');
            if (nonBlocking) {
                EXPECT_EQ(::read(fds[0], &byte, 1), -1);  // empty: no wait
            }
            ::close(fds[0]);
            ::close(fds[1]);
        }
    }
}

}  // namespace pipe_test
}  // namespace glyphloom
