#include "tui/actions/curl_library.hpp"

#include <dlfcn.h>

#include <mutex>

namespace glyphloom {
namespace {

struct LoadedLibrary {
    std::mutex mutex;
    bool looked = false;
    std::optional<CurlLibrary> library;
    std::function<std::optional<CurlLibrary>()> loader;
};

LoadedLibrary& loaded() {
    static LoadedLibrary instance;
    return instance;
}

template <typename Function>
bool lookUp(void* handle, const char* name, Function& into) {
    into = reinterpret_cast<Function>(dlsym(handle, name));
    return into != nullptr;
}

}  // namespace

std::optional<CurlLibrary> openCurlLibrary(const char* libraryName) {
    void* handle = dlopen(libraryName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return std::nullopt;
    CurlLibrary library;
    const bool complete = lookUp(handle, "curl_global_init", library.globalInit) &&
                          lookUp(handle, "curl_easy_init", library.easyInit) &&
                          lookUp(handle, "curl_easy_setopt", library.easySetopt) &&
                          lookUp(handle, "curl_easy_perform", library.easyPerform) &&
                          lookUp(handle, "curl_easy_cleanup", library.easyCleanup);
    if (!complete) {
        dlclose(handle);
        return std::nullopt;
    }
    // Never closed: a transfer thread abandoned at its time limit may still be running in it.
    return library;
}

const CurlLibrary* curlLibrary() {
    auto& state = loaded();
    const std::lock_guard lock(state.mutex);
    if (!state.looked) {
        state.looked = true;
        state.library = state.loader ? state.loader() : openCurlLibrary(curlLibraryName);
        if (state.library && state.library->globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) state.library.reset();
    }
    return state.library ? &*state.library : nullptr;
}

void setCurlLibraryLoader(std::function<std::optional<CurlLibrary>()> loader) {
    auto& state = loaded();
    const std::lock_guard lock(state.mutex);
    state.loader = std::move(loader);
    state.looked = false;
}

}  // namespace glyphloom
