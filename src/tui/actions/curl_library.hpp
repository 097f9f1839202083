// The few libcurl entry points font downloads use, looked up in the shared library the
// first time a download starts. Linking libcurl outright would make every start of the
// program map it and its thirty-odd dependencies, though most sessions never download.
#pragma once

#include <curl/curl.h>

#include <functional>
#include <optional>

namespace glyphloom {

struct CurlLibrary {
    decltype(&curl_global_init) globalInit = nullptr;
    decltype(&curl_easy_init) easyInit = nullptr;
    decltype(&curl_easy_setopt) easySetopt = nullptr;
    decltype(&curl_easy_perform) easyPerform = nullptr;
    decltype(&curl_easy_cleanup) easyCleanup = nullptr;
};

#if defined(__APPLE__)
inline constexpr const char* curlLibraryName = "libcurl.4.dylib";
#else
inline constexpr const char* curlLibraryName = "libcurl.so.4";
#endif

// Opens `libraryName` and finds every entry point; nothing when the library or one of
// them is missing. The library stays loaded for the life of the process.
std::optional<CurlLibrary> openCurlLibrary(const char* libraryName);

// The library of this process, opened (and globally initialised) on first use; nullptr
// when it cannot be loaded. Safe to call from any thread.
const CurlLibrary* curlLibrary();

// Tests replace how the library is found (nothing simulates a machine without libcurl);
// an empty function restores the real one. Either way the next curlLibrary() looks again.
void setCurlLibraryLoader(std::function<std::optional<CurlLibrary>()> loader);

}  // namespace glyphloom
