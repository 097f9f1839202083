// Whole-file reading with a size bound, and whole-file writing that never leaves a half
// written file behind: the data goes to a temporary file in the same folder, is flushed to
// disk, and only then renamed over the target. Failures come back as values with a reason.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/byte_sink.hpp"

namespace glyphloom {

struct FileReadResult {
    std::optional<std::vector<std::uint8_t>> data;  // nothing on failure
    std::string error;                              // why, when data is empty
};

// Reads the whole file, refusing files larger than `maxBytes`.
FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes);
// The first `maxBytes` bytes of a file, or all of it when it is shorter.
FileReadResult readFileHead(const std::string& path, std::size_t maxBytes);

// How the data reaches the temporary file: write(2) unless a test injects a failing one.
using FileWriteCall = std::function<ssize_t(int fd, const char* data, std::size_t size)>;

// Whether a replaced file is flushed to the disk before it takes the target's name. `synced`
// survives a power cut; `cached` survives the process dying at any point (the kernel still
// writes what it was given) and spares a large file's wait for the disk.
enum class Durability { synced, cached };

struct WriteOptions {
    Durability durability = Durability::synced;
    // Permission bits the file gets. Without them a replaced file keeps its own and a new
    // one gets 0666 less the umask.
    std::optional<unsigned> mode;
};

// The reason a write gives when the file's permission bits forbid us to change it.
inline constexpr std::string_view readOnlyReason = "read-only";

// Replaces `path` with `data` atomically. Returns an empty string on success, otherwise a
// short reason; the previous file (if any) is then untouched. A symbolic link stays a link:
// the file it points at is replaced. A replaced file keeps its permission bits and, where
// the system allows, its owner and group. A file whose permission bits do not let us write
// it is refused (readOnlyReason), also for root, whom the bits would not stop.
std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data,
                                const FileWriteCall& write = ::write);
std::string writeFileAtomically(const std::string& path, std::string_view data);
std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data,
                                const WriteOptions& options);

// Puts bytes into an open descriptor; false (with errno set) on failure. Tests inject one
// that fails part-way to prove the target survives.
using DescriptorWriter = std::function<bool(int fd, std::span<const std::uint8_t> bytes)>;
std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data,
                                const DescriptorWriter& write);

// The same replacement for data too large to hold at once: `produce` hands it to the file
// piece by piece. A producer that gives up leaves the target untouched, as a failed write does.
std::string writeFileAtomically(const std::string& path, const ByteProducer& produce,
                                Durability durability = Durability::synced);
std::string writeFileAtomically(const std::string& path, const ByteProducer& produce, const WriteOptions& options);

// An output named by the user (a batch command's OUT): a device or pipe such as /dev/stdout
// is written directly, since a rename cannot replace it; anything else atomically.
std::string writeOutputFile(const std::string& path, std::span<const std::uint8_t> data);

// The file a write to `path` lands in: symbolic links followed to their end, relative ones
// from the link's own folder. A link that points nowhere yields where it points.
std::string resolvedWriteTarget(const std::string& path);

// True when `path` is an existing file whose permission bits forbid us to write it (read by
// the bits themselves, so that root is held to them too).
bool isReadOnlyFile(const std::string& path);
// The permission bits of an existing file (following links).
std::optional<unsigned> permissionBits(const std::string& path);

// The process's current directory; empty when it cannot be named.
std::string currentDirectory();

// Creates a folder and any missing parents; true when it exists afterwards.
bool createDirectories(const std::string& path);

bool fileExists(const std::string& path);
bool isFolder(const std::string& path);

// The folder part of a path: "." when it has none, "/" for a file in the root.
std::string folderOf(const std::string& path);
// `home` when it is set and not empty (normally $HOME), else the account's home directory
// from the password database, else ".".
std::string homeDirectory(const char* home);
std::string homeDirectory();
// The program's settings folder: $XDG_CONFIG_HOME/glyphloom, else ~/.config/glyphloom. An
// empty XDG_CONFIG_HOME counts as unset; it would otherwise put the settings under "/".
std::string glyphloomConfigFolder(const char* xdgConfigHome, const char* home);
std::string glyphloomConfigFolder();
// Where the program keeps what it writes for itself between sessions (recovery copies):
// $XDG_STATE_HOME/glyphloom, else ~/.local/state/glyphloom. Empty XDG_STATE_HOME is unset.
std::string glyphloomStateFolder(const char* xdgStateHome, const char* home);
std::string glyphloomStateFolder();

}  // namespace glyphloom
