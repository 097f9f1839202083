// The tally every built-in self test keeps: one "ok"/"FAIL" line per check and a closing
// count, so the suites read alike and a failure names the behaviour that broke.
#pragma once

#include <cstdio>

namespace glyphloom {

class Checker {
public:
    explicit Checker(std::FILE* out) : out_(out) {}

    void check(bool passed, const char* what) {
        ++count_;
        if (!passed) ++failed_;
        std::fprintf(out_, "  %s %s\n", passed ? "ok  " : "FAIL", what);
    }
    // Prints the count; true when no check failed.
    bool finish() {
        std::fprintf(out_, "%d checks, %d failed\n", count_, failed_);
        std::fflush(out_);
        return failed_ == 0;
    }

private:
    std::FILE* out_;
    int count_ = 0;
    int failed_ = 0;
};

}  // namespace glyphloom
