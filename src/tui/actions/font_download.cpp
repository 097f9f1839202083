#include "tui/actions/font_download.hpp"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "core/text/utf8.hpp"
#include "tui/actions/curl_library.hpp"

namespace glyphloom {
namespace {

// Shared by the waiting caller and the transfer thread, which may outlive the wait.
struct Transfer {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::atomic<bool> cancelled{false};
    Download result;
};

std::size_t onBody(char* bytes, std::size_t size, std::size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const std::size_t length = size * count;
    auto& data = transfer.result.data;
    if (transfer.cancelled || data.size() + length > fontDownloadMaxBytes) return 0;  // stops the transfer
    data.insert(data.end(), bytes, bytes + length);
    return length;
}

std::size_t onHeader(char* bytes, std::size_t size, std::size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const std::string line(bytes, size * count);
    // A redirect starts a new response: only the final one's headers count.
    if (line.rfind("HTTP/", 0) == 0) transfer.result.contentDisposition.reset();
    constexpr std::string_view key = "content-disposition:";
    if (utf8::asciiLowercase(line.substr(0, key.size())) == key) {
        std::string value = line.substr(key.size());
        const auto first = value.find_first_not_of(" \t");
        const auto last = value.find_last_not_of(" \t\r\n");
        transfer.result.contentDisposition = first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
    }
    return size * count;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(user)->cancelled ? 1 : 0;
}

// The library is copied in: the thread may outlive a test that swaps the loader.
void runTransfer(const CurlLibrary library, const std::string& url, const std::shared_ptr<Transfer>& transfer) {
    CURL* curl = library.easyInit();
    bool ok = false;
    if (curl != nullptr) {
        library.easySetopt(curl, CURLOPT_URL, url.c_str());
        library.easySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        library.easySetopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        library.easySetopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        library.easySetopt(curl, CURLOPT_MAXREDIRS, 5L);
        library.easySetopt(curl, CURLOPT_FAILONERROR, 1L);
        library.easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
        library.easySetopt(curl, CURLOPT_WRITEFUNCTION, onBody);
        library.easySetopt(curl, CURLOPT_WRITEDATA, transfer.get());
        library.easySetopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
        library.easySetopt(curl, CURLOPT_HEADERDATA, transfer.get());
        library.easySetopt(curl, CURLOPT_NOPROGRESS, 0L);
        library.easySetopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
        library.easySetopt(curl, CURLOPT_XFERINFODATA, transfer.get());
        ok = library.easyPerform(curl) == CURLE_OK;
        library.easyCleanup(curl);
    }
    const std::lock_guard lock(transfer->mutex);
    transfer->result.status = ok && !transfer->result.data.empty() ? Download::Status::ok : Download::Status::failed;
    transfer->done = true;
    transfer->finished.notify_all();
}

}  // namespace

Download downloadURL(const std::string& url, std::chrono::milliseconds limit) {
    const CurlLibrary* library = curlLibrary();
    if (library == nullptr) {
        Download unavailable;
        unavailable.status = Download::Status::unavailable;
        return unavailable;
    }
    auto transfer = std::make_shared<Transfer>();
    std::thread(runTransfer, *library, url, transfer).detach();
    std::unique_lock lock(transfer->mutex);
    if (!transfer->finished.wait_for(lock, limit, [&] { return transfer->done; })) {
        // The thread notices at its next progress call and ends on its own.
        transfer->cancelled = true;
        Download timedOut;
        timedOut.status = Download::Status::timedOut;
        return timedOut;
    }
    return std::move(transfer->result);
}

std::optional<std::string> dispositionFileName(const std::string& value) {
    const auto key = utf8::asciiLowercase(value).find("filename=");
    if (key == std::string::npos) return std::nullopt;
    std::size_t start = key + 9;
    if (start < value.size() && value[start] == '"') ++start;
    const auto end = value.find_first_of("\";", start);
    std::string name = value.substr(start, end == std::string::npos ? std::string::npos : end - start);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t' || name.back() == '\r')) name.pop_back();
    if (name.empty()) return std::nullopt;
    return name;
}

std::string urlFileName(const std::string& url) {
    const auto scheme = url.find("://");
    const std::size_t hostStart = scheme == std::string::npos ? 0 : scheme + 3;
    const auto pathStart = url.find('/', hostStart);
    if (pathStart == std::string::npos) return {};
    const auto pathEnd = url.find_first_of("?#", pathStart);
    const std::string path = url.substr(pathStart, pathEnd == std::string::npos ? std::string::npos : pathEnd - pathStart);
    return path.substr(path.rfind('/') + 1);
}

}  // namespace glyphloom
