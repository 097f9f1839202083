#include "tui/actions/font_download.hpp"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "core/text/utf8.hpp"
#include "tui/actions/curl_library.hpp"
#include "tui/terminal/terminal.hpp"

namespace glyphloom {

// Shared by the editor and the transfer thread.
struct FontTransfer {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::atomic<bool> cancelled{false};
    std::atomic<bool> timedOut{false};
    std::atomic<std::size_t> received{0};
    std::chrono::steady_clock::time_point deadline;
    Download result;
};

namespace {

std::size_t onBody(char* bytes, std::size_t size, std::size_t count, void* user) {
    auto& transfer = *static_cast<FontTransfer*>(user);
    const std::size_t length = size * count;
    auto& data = transfer.result.data;
    if (transfer.cancelled || data.size() + length > fontDownloadMaxBytes) return 0;  // stops the transfer
    data.insert(data.end(), bytes, bytes + length);
    transfer.received.store(data.size(), std::memory_order_relaxed);
    return length;
}

std::size_t onHeader(char* bytes, std::size_t size, std::size_t count, void* user) {
    auto& transfer = *static_cast<FontTransfer*>(user);
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

// Called at least once a second, data or not: the place to notice a cancel or the limit.
int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& transfer = *static_cast<FontTransfer*>(user);
    if (transfer.cancelled) return 1;
    if (std::chrono::steady_clock::now() >= transfer.deadline) {
        transfer.timedOut = true;
        return 1;
    }
    return 0;
}

void runTransfer(const CurlLibrary library, const std::string url, std::chrono::milliseconds limit,
                 const std::shared_ptr<FontTransfer> transfer) {
    CURL* curl = library.easyInit();
    CURLcode code = CURLE_FAILED_INIT;
    if (curl != nullptr) {
        library.easySetopt(curl, CURLOPT_URL, url.c_str());
        library.easySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        library.easySetopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        library.easySetopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        library.easySetopt(curl, CURLOPT_MAXREDIRS, 5L);
        library.easySetopt(curl, CURLOPT_FAILONERROR, 1L);
        library.easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
        library.easySetopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limit.count()));
        library.easySetopt(curl, CURLOPT_WRITEFUNCTION, onBody);
        library.easySetopt(curl, CURLOPT_WRITEDATA, transfer.get());
        library.easySetopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
        library.easySetopt(curl, CURLOPT_HEADERDATA, transfer.get());
        library.easySetopt(curl, CURLOPT_NOPROGRESS, 0L);
        library.easySetopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
        library.easySetopt(curl, CURLOPT_XFERINFODATA, transfer.get());
        code = library.easyPerform(curl);
        library.easyCleanup(curl);
    }
    const std::lock_guard lock(transfer->mutex);
    Download::Status status = Download::Status::failed;
    if (transfer->cancelled) status = Download::Status::cancelled;
    else if (transfer->timedOut || code == CURLE_OPERATION_TIMEDOUT) status = Download::Status::timedOut;
    else if (code == CURLE_OK && !transfer->result.data.empty()) status = Download::Status::ok;
    transfer->result.status = status;
    if (status != Download::Status::ok) transfer->result.data.clear();
    transfer->done = true;
    transfer->finished.notify_all();
}

}  // namespace

FontDownload::FontDownload(const std::string& url, std::chrono::milliseconds limit)
    : transfer_(std::make_shared<FontTransfer>()) {
    transfer_->deadline = std::chrono::steady_clock::now() + limit;
    const CurlLibrary* library = curlLibrary();
    if (library == nullptr) {
        transfer_->result.status = Download::Status::unavailable;
        transfer_->done = true;
        return;
    }
    // The library is copied in: a test may swap the loader while the thread runs.
    thread_ = threadWithoutTerminalSignals(
        [library = *library, url, limit, transfer = transfer_] { runTransfer(library, url, limit, transfer); });
}

FontDownload::~FontDownload() {
    cancel();
    if (thread_.joinable()) thread_.join();
}

void FontDownload::cancel() { transfer_->cancelled = true; }

bool FontDownload::finished() const {
    const std::lock_guard lock(transfer_->mutex);
    return transfer_->done;
}

std::size_t FontDownload::receivedBytes() const { return transfer_->received.load(std::memory_order_relaxed); }

std::optional<Download> FontDownload::take(std::chrono::milliseconds wait) {
    {
        std::unique_lock lock(transfer_->mutex);
        if (!transfer_->finished.wait_for(lock, wait, [&] { return transfer_->done; })) return std::nullopt;
    }
    if (thread_.joinable()) thread_.join();
    return std::move(transfer_->result);
}

Download downloadURL(const std::string& url, std::chrono::milliseconds limit) {
    FontDownload download(url, limit);
    // The transfer ends by itself at the limit; the margin covers its last progress call.
    if (auto result = download.take(limit + std::chrono::seconds(2))) return std::move(*result);
    Download timedOut;
    timedOut.status = Download::Status::timedOut;
    return timedOut;
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
