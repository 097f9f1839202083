#include "tui/actions/recovery.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "core/format/drawing_file.hpp"
#include "core/io/file_io.hpp"
#include "core/text/utf8.hpp"
#include "tui/terminal/terminal.hpp"

namespace glyphloom {
namespace {

namespace fs = std::filesystem;

// While a write is in flight the loop looks in this often to collect it.
constexpr auto collectInterval = std::chrono::milliseconds(50);
constexpr std::string_view recoveryCopyNoteStart = "unsaved work on ";
// A copy holds at most what the editor can hold; anything larger is not one of ours.
constexpr std::size_t maxCopyBytes = 512u << 20;
// The head of a copy that holds its description (written first, and small).
constexpr std::size_t copyHeadBytes = 64u << 10;

using utf8::joined;

std::string localTime(std::chrono::system_clock::time_point at, const char* format) {
    const std::time_t when = std::chrono::system_clock::to_time_t(at);
    std::tm local{};
    localtime_r(&when, &local);
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

std::string describeSize(const RecoveryInfo& info) {
    std::string size = std::to_string(info.columns) + "×" + std::to_string(info.rows);
    if (info.layerCount >= 2) size += " · " + std::to_string(info.layerCount) + " layers";
    return size;
}

}  // namespace

RecoverySnapshot takeRecoverySnapshot(const AppState& state) {
    RecoverySnapshot s;
    s.doc = state.doc;
    if (!state.tools.charCyclePool.empty()) s.charCycleSequence = joined(state.tools.charCyclePool);
    s.info.filename = state.filename;
    s.info.docDir = state.docDir;
    s.info.sourcePath = state.ownedPath;
    s.info.saveAsGlyphloom = state.saveAsGlyphloom;
    s.info.columns = s.doc.cols;
    s.info.rows = s.doc.rows;
    s.info.layerCount = static_cast<int>(s.doc.layers.size());
    return s;
}

bool streamRecoverySnapshot(const RecoverySnapshot& s, const ByteSink& sink) {
    return streamDrawingFile(glyphloomDocument(s.doc, s.charCycleSequence), sink, recoveryInfoMember(s.info));
}

CopyWriter recoveryCopyWriter() {
    // Not flushed to the disk: a copy guards against the editor's process ending (a hang-up, a
    // kill, a crash), and the kernel writes out what it was given whatever becomes of the
    // process. Waiting for the disk would only add a power cut to that, at the price of
    // tens of milliseconds per copy and a slower way out on a hang-up. The temporary file and
    // rename still mean a copy is never seen half written. A copy is for its owner's eyes
    // only, whatever the document's own permissions.
    return [](const std::string& path, const ByteProducer& produce) {
        return writeFileAtomically(path, produce, WriteOptions{Durability::cached, 0600});
    };
}

std::string writeRecoveryCopy(const std::string& path, const RecoverySnapshot& snapshot, const CopyWriter& write) {
    return write(path, [&snapshot](const ByteSink& sink) { return streamRecoverySnapshot(snapshot, sink); });
}

bool strokeInProgress(const AppState& state) {
    return state.stroke.paintingStroke || state.stroke.kbStroke || state.stroke.shapeStart.has_value() ||
           state.panDrag.has_value() || state.layerShiftDrag.has_value();
}

RecoveryKeeper::RecoveryKeeper(std::string folder, int pid, std::uint64_t session, CopyWriter write,
                               RecoverySchedule schedule)
    : folder_(std::move(folder)),
      path_(folder_ + "/" + recoveryFileName(pid, session)),
      write_(std::move(write)),
      schedule_(schedule) {}

RecoveryKeeper::~RecoveryKeeper() { finishWrite(nullptr); }

bool RecoveryKeeper::changesSinceCopy(const AppState& state) const {
    if (!state.dirty) return false;
    return !written_ || takeRecoverySnapshot(state) != *written_;
}

void RecoveryKeeper::noteInput(AppState& state, Clock::time_point now) {
    schedule_.noteInput(now);
    // A write in flight is not waited for here (that would stall input); it removes the
    // copy itself when collected, seeing the work saved.
    if (!state.dirty && copyOnDisk_ && !writing()) removeCopy();
}

std::optional<std::chrono::milliseconds> RecoveryKeeper::pollTimeout(const AppState& state,
                                                                     Clock::time_point now) const {
    if (writing()) return collectInterval;
    if (strokeInProgress(state)) return std::nullopt;  // the stroke's own input comes first
    const auto wait = schedule_.waitBefore(now, changesSinceCopy(state));
    if (!wait) return std::nullopt;
    // Rounded up, so the loop never wakes a moment before the copy is due.
    return std::chrono::ceil<std::chrono::milliseconds>(*wait);
}

void RecoveryKeeper::tick(AppState& state, Clock::time_point now) {
    if (writing() && workerDone_.load(std::memory_order_acquire)) finishWrite(&state);
    // The time rule first: comparing against the last copy is the costlier question.
    if (writing() || strokeInProgress(state) || !schedule_.due(now, true)) return;
    if (!changesSinceCopy(state)) return;
    startWrite(takeRecoverySnapshot(state), now);
}

void RecoveryKeeper::startWrite(RecoverySnapshot snapshot, Clock::time_point now) {
    inFlight_ = std::move(snapshot);
    inFlightSince_ = now;
    workerError_.clear();
    workerDone_.store(false, std::memory_order_relaxed);
    // The terminal's signals belong to the loop, whose wait they end.
    worker_ = threadWithoutTerminalSignals([this] {
        workerError_ = writeCopy(inFlight_);
        workerDone_.store(true, std::memory_order_release);
    });
}

std::string RecoveryKeeper::writeCopy(const RecoverySnapshot& snapshot) const {
    if (!createDirectories(folder_)) return "cannot create " + folder_;
    return writeRecoveryCopy(path_, snapshot, write_);
}

void RecoveryKeeper::finishWrite(AppState* state) {
    if (!worker_.joinable()) return;
    worker_.join();
    // Either way the next attempt waits its turn: a folder that refuses writes is not
    // hammered after every pause.
    schedule_.noteCopyWritten(inFlightSince_);
    if (workerError_.empty()) {
        written_ = std::move(inFlight_);
        copyOnDisk_ = true;
        failureReported_ = false;
    } else if (state && !failureReported_) {
        state->statusNote = "couldn't keep a recovery copy: " + workerError_;
        failureReported_ = true;
    }
    inFlight_ = {};
    if (state && !state->dirty && copyOnDisk_) removeCopy();  // saved while it was being written
}

bool RecoveryKeeper::writeNow(AppState& state) {
    finishWrite(&state);
    if (!changesSinceCopy(state)) return true;
    RecoverySnapshot snapshot = takeRecoverySnapshot(state);
    if (const std::string error = writeCopy(snapshot); !error.empty()) {
        state.statusNote = "couldn't keep a recovery copy: " + error;
        return false;
    }
    written_ = std::move(snapshot);
    copyOnDisk_ = true;
    return true;
}

void RecoveryKeeper::discard() {
    finishWrite(nullptr);
    removeCopy();
}

void RecoveryKeeper::removeCopy() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
    copyOnDisk_ = false;
    written_.reset();
}

bool RecoveryKeeper::adopt(const std::string& path, const RecoverySnapshot& contents) {
    if (path != path_ && std::rename(path.c_str(), path_.c_str()) != 0) return false;
    written_ = contents;
    copyOnDisk_ = true;
    return true;
}

bool recoverUnsavedWork(AppState& state, RecoveryKeeper& keeper, const ProcessAliveCheck& alive) {
    std::vector<RecoveryCopy> copies = listRecoveryCopies(keeper.folder());
    while (auto copy = chooseRecoveryCopy(copies, keeper.copyPath(), alive)) {
        std::erase(copies, *copy);
        // Renamed first, so that an editor starting at the same moment cannot take it too.
        // A folder that refuses the rename (read-only, not ours) refuses our own copies too:
        // the work is then read where it lies, and stays there until it is saved.
        const bool taken = std::rename(copy->path.c_str(), keeper.copyPath().c_str()) == 0;
        if (!taken && errno == ENOENT) continue;  // another editor took it first
        const std::string& at = taken ? keeper.copyPath() : copy->path;
        const FileReadResult read = readWholeFile(at, maxCopyBytes);
        const auto document = read.data ? importGlyphloomData(*read.data) : std::nullopt;
        const auto info = read.data ? readRecoveryInfo(*read.data) : std::nullopt;
        if (!document || !info) {
            // Not ours to judge: put it back where it was and try the next one.
            if (taken) std::rename(keeper.copyPath().c_str(), copy->path.c_str());
            continue;
        }
        applyDrawingFile(*document, state);
        state.saveAsGlyphloom = info->saveAsGlyphloom || state.doc.layers.size() > 1;
        state.filename = info->filename;
        state.docDir = info->docDir;
        state.ownedPath.reset();  // whatever stands at the old path now is not ours to overwrite
        state.cursor = {0, 0};
        state.viewOffset = {0, 0};
        state.selection.reset();
        state.undoStack.clear();
        state.redoStack.clear();
        state.dirty = true;
        if (taken) keeper.adopt(keeper.copyPath(), takeRecoverySnapshot(state));
        state.statusNote = "recovered unsaved work from " + localTime(copy->modified, "%Y-%m-%d %H:%M");
        return true;
    }
    return false;
}

namespace {

// Whether copies can be written into `folder`: it, or (while it does not exist yet) the
// nearest folder above it that does, takes new files. Nothing is created to find out.
bool folderTakesFiles(const fs::path& folder) {
    std::error_code error;
    for (fs::path at = folder; !at.empty(); at = at.parent_path()) {
        const fs::file_status status = fs::status(at, error);
        if (fs::exists(status)) return fs::is_directory(status) && ::access(at.c_str(), W_OK | X_OK) == 0;
        if (at == at.parent_path()) break;
    }
    return false;
}

}  // namespace

bool checkRecoveryFolder(AppState& state, RecoveryKeeper& keeper) {
    const std::string& folder = keeper.folder();
    std::error_code error;
    if (folderTakesFiles(fs::absolute(folder, error))) return true;
    state.statusNote = "no recovery copies can be kept: " + folder + " is not writable";
    keeper.failureTold();
    return false;
}

bool noteRecoveryCopyOf(const std::string& path, AppState& state, const std::string& folder,
                        const ProcessAliveCheck& alive) {
    std::error_code error;
    const fs::path opened = fs::weakly_canonical(fs::absolute(path, error), error);
    for (const RecoveryCopy& copy : listRecoveryCopies(folder)) {
        if (alive(copy.pid, copy.session)) continue;  // an editor at work on it has it open
        const FileReadResult head = readFileHead(copy.path, copyHeadBytes);
        const auto info = head.data ? readRecoveryInfo(*head.data) : std::nullopt;
        if (!info) continue;
        // The file it came from, or (never saved as its own) the same name in the same folder.
        const bool fromFile = info->sourcePath && fs::weakly_canonical(*info->sourcePath, error) == opened;
        const bool sameName = info->docDir && info->filename == state.filename &&
                              fs::weakly_canonical(*info->docDir, error) == opened.parent_path();
        if (!fromFile && !sameName) continue;
        state.statusNote = std::string(recoveryCopyNoteStart) + state.filename + " from " + localTime(copy.modified, "%Y-%m-%d %H:%M") +
                           " was kept: glyphloom --recover lists it";
        return true;
    }
    return false;
}

bool isRecoveryCopyNote(std::string_view note) { return note.starts_with(recoveryCopyNoteStart); }

std::vector<std::string> describeRecoveryCopies(const std::string& folder, const ProcessAliveCheck& alive) {
    std::vector<std::string> lines;
    for (const RecoveryCopy& copy : listRecoveryCopies(folder)) {
        const FileReadResult head = readFileHead(copy.path, copyHeadBytes);
        const auto info = head.data ? readRecoveryInfo(*head.data) : std::nullopt;
        std::string line = localTime(copy.modified, "%Y-%m-%d %H:%M:%S") + "  ";
        line += info ? info->filename + "  " + describeSize(*info) : std::string("(unreadable)");
        line += "  " + std::to_string((copy.bytes + 1023) / 1024) + "k  " + copy.path;
        if (alive(copy.pid, copy.session)) line += "  (editor still running)";
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace glyphloom
