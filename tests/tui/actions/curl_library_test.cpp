// Opening libcurl at run time: a missing library, or one without the entry points, gives
// nothing rather than a table of null functions a download would call.
#include "tui/actions/curl_library.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace curl_library_test {

TEST(CurlLibrary, OpensOnlyALibraryWithEveryEntryPoint) {
    EXPECT_FALSE(openCurlLibrary("libglyphloom-no-such-library.so.9"));
    // Loads, but is not libcurl.
    EXPECT_FALSE(openCurlLibrary("libm.so.6"));

    const auto curl = openCurlLibrary(curlLibraryName);
    if (!curl) GTEST_SKIP() << curlLibraryName << " is not installed here";
    EXPECT_NE(curl->globalInit, nullptr);
    EXPECT_NE(curl->easyInit, nullptr);
    EXPECT_NE(curl->easySetopt, nullptr);
    EXPECT_NE(curl->easyPerform, nullptr);
    EXPECT_NE(curl->easyCleanup, nullptr);
}

TEST(CurlLibrary, LooksAgainAfterTheLoaderChanges) {
    int calls = 0;
    setCurlLibraryLoader([&] {
        ++calls;
        return std::optional<CurlLibrary>();
    });
    EXPECT_EQ(curlLibrary(), nullptr);
    EXPECT_EQ(curlLibrary(), nullptr);
    EXPECT_EQ(calls, 1);  // a failed look is remembered, not repeated on every download
    setCurlLibraryLoader({});
    if (!openCurlLibrary(curlLibraryName)) GTEST_SKIP() << curlLibraryName << " is not installed here";
    EXPECT_NE(curlLibrary(), nullptr);
}

}  // namespace curl_library_test
}  // namespace glyphloom
