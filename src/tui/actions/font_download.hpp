// Fetching a font by HTTP(S) on a thread of its own, with a time limit after which the
// request is abandoned. The editor keeps drawing and reading keys meanwhile and looks in on
// the download between frames; it can be cancelled at any moment.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace glyphloom {

inline constexpr std::chrono::milliseconds fontDownloadLimit{25'000};
// Larger answers are cut off and count as failed.
inline constexpr std::size_t fontDownloadMaxBytes = std::size_t{16} << 20;

struct Download {
    // unavailable: no libcurl on this machine; cancelled: the user stopped it.
    enum class Status { ok, timedOut, failed, unavailable, cancelled };
    Status status = Status::failed;
    std::vector<std::uint8_t> data;
    std::optional<std::string> contentDisposition;  // the last response's header value
};

struct FontTransfer;

// One download under way. The thread takes none of the terminal's signals; it ends at the
// limit, on cancel(), or when the destructor cancels it, and is always joined.
class FontDownload {
public:
    explicit FontDownload(const std::string& url, std::chrono::milliseconds limit = fontDownloadLimit);
    ~FontDownload();
    FontDownload(const FontDownload&) = delete;
    FontDownload& operator=(const FontDownload&) = delete;

    // Asks the transfer to stop; it ends within about a second (libcurl's progress interval).
    void cancel();
    bool finished() const;
    // Bytes of the body received so far.
    std::size_t receivedBytes() const;
    // Waits at most `wait` for the end; the result once finished (then the thread is joined),
    // nothing before.
    std::optional<Download> take(std::chrono::milliseconds wait = std::chrono::milliseconds(0));

private:
    std::shared_ptr<FontTransfer> transfer_;
    std::thread thread_;
};

// The whole download on the caller's thread: the result after the data, a failure or the
// limit.
Download downloadURL(const std::string& url, std::chrono::milliseconds limit = fontDownloadLimit);

// The file name a "Content-Disposition" value gives (filename=, quoted or not), if any.
std::optional<std::string> dispositionFileName(const std::string& value);

// The last path component of a URL (no query or fragment); empty when it has none.
std::string urlFileName(const std::string& url);

}  // namespace glyphloom
