#include "core/io/write_all.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

namespace glyphloom {
namespace write_all_test {

// One scripted answer per call: a positive number takes up to that many bytes, 0 takes
// nothing, a negative one fails with that errno. Past the script every call takes all.
struct Scripted {
    std::vector<int> answers;
    std::string received;
    std::size_t calls = 0;

    ssize_t operator()(const char* data, std::size_t size) {
        const int answer = calls < answers.size() ? answers[calls] : static_cast<int>(size);
        ++calls;
        if (answer < 0) {
            errno = -answer;
            return -1;
        }
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(answer), size);
        received.append(data, n);
        return static_cast<ssize_t>(n);
    }
};

TEST(WriteAll, RetriesShortAndInterruptedWritesAndStopsOnRealFailures) {
    const std::string text = "0123456789abcdef";
    struct Case {
        const char* name;
        std::vector<int> answers;
        bool ok;
        std::string received;
    };
    const Case cases[] = {
        {"one call", {}, true, text},
        {"short writes", {3, 1, 5}, true, text},
        {"interrupted", {-EINTR, 4, -EINTR, -EINTR}, true, text},
        {"fails part way", {6, -EIO}, false, "012345"},
        {"no space", {-ENOSPC}, false, ""},
        {"takes nothing", {2, 0}, false, "01"},
    };
    for (const Case& c : cases) {
        Scripted write;
        write.answers = c.answers;
        EXPECT_EQ(writeAllWith(write, text.data(), text.size()), c.ok) << c.name;
        EXPECT_EQ(write.received, c.received) << c.name;
    }
    Scripted untouched;
    untouched.answers = {-EIO};
    EXPECT_TRUE(writeAllWith(untouched, text.data(), 0));
    EXPECT_EQ(untouched.calls, 0u);
}

}  // namespace write_all_test
}  // namespace glyphloom
