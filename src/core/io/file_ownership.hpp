// Which files a document may overwrite. A save replaces a file only while it is one this
// document wrote (or opened as its own) and it still looks on disk as it did then: the same
// file (device and inode), size and modification time. A file that changed since is still
// the document's, but someone else has put work in it; anything else is not ours at all.
// Choosing names and asking the user is the editor's business, not this file's.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace glyphloom {

struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // since the epoch

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// How `path` (followed through links) looks now; nothing when there is no such file.
std::optional<FileStamp> fileStamp(const std::string& path);

struct OwnedFile {
    std::string path;
    FileStamp stamp;  // as the document last wrote or read it

    friend bool operator==(const OwnedFile&, const OwnedFile&) = default;
};

enum class FileStanding {
    absent,   // nothing there: free to write
    owned,    // ours and untouched since: free to replace
    changed,  // ours, but replaced or modified since: replace only when the user says so
    foreign,  // never ours: never replaced
};

FileStanding standingOf(const std::string& path, std::span<const OwnedFile> owned);

// Whether a companion found beside a document that is opened as the editor's own was
// written by the same save. A save writes the companions right after the main file, so
// theirs is no older than the document's and at most a minute younger (a large picture
// takes a while); a file older than the document, or made well after it, came from
// elsewhere.
bool writtenAlongside(const FileStamp& document, const FileStamp& companion);

}  // namespace glyphloom
