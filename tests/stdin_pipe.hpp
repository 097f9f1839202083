// Puts the read end of a pipe on standard input for the lifetime of one object, so a test
// can feed the editor's reads.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace glyphloom::testing_support {

class StdinPipe {
public:
    StdinPipe() {
        EXPECT_EQ(::pipe(fds_), 0);
        saved_ = ::dup(STDIN_FILENO);
        ::dup2(fds_[0], STDIN_FILENO);
        ::close(fds_[0]);
    }
    ~StdinPipe() {
        closeWriter();
        ::dup2(saved_, STDIN_FILENO);
        ::close(saved_);
    }
    StdinPipe(const StdinPipe&) = delete;
    StdinPipe& operator=(const StdinPipe&) = delete;

    void write(const std::string& bytes) { EXPECT_EQ(::write(fds_[1], bytes.data(), bytes.size()), ssize_t(bytes.size())); }
    void closeWriter() {
        if (fds_[1] >= 0) ::close(fds_[1]);
        fds_[1] = -1;
    }

private:
    int fds_[2] = {-1, -1};
    int saved_ = -1;
};

}  // namespace glyphloom::testing_support
