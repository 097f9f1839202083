// Keeping unsaved work: the editor's recovery copy. A snapshot of the document is taken on
// the main thread (cheap: the layers share their rows with the live document), then encoded
// and written on a background thread, so drawing never waits for the disk. The copy goes
// when the work is saved or the user confirms quitting; at start, the newest copy of an
// editor that has ended is opened again. Where copies live and when they fall due is
// core/io/recovery_store's business.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/format/recovery_document.hpp"
#include "core/io/byte_sink.hpp"
#include "core/io/recovery_store.hpp"
#include "tui/actions/document_io.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// Everything a copy holds, detached from the editor state.
struct RecoverySnapshot {
    Document doc;
    std::optional<std::string> charCycleSequence;
    RecoveryInfo info;

    friend bool operator==(const RecoverySnapshot&, const RecoverySnapshot&) = default;
};

RecoverySnapshot takeRecoverySnapshot(const AppState& state);
// The copy's bytes (the layered document a save would write, plus where the work belongs),
// handed to `sink` piece by piece as they are made. False when the sink refused.
bool streamRecoverySnapshot(const RecoverySnapshot& snapshot, const ByteSink& sink);

// How a copy reaches its file: `produce` fills it piece by piece; an empty string on success,
// else the reason. Tests inject failing or counting ones.
using CopyWriter = std::function<std::string(const std::string& path, const ByteProducer& produce)>;
// Atomic replacement without waiting for the disk (see the definition for why).
CopyWriter recoveryCopyWriter();
// Writes a copy of `snapshot` to `path`: what the background thread does.
std::string writeRecoveryCopy(const std::string& path, const RecoverySnapshot& snapshot,
                              const CopyWriter& write = recoveryCopyWriter());

// A pen, shape or layer drag is under way: no copy is taken in the middle of one.
bool strokeInProgress(const AppState& state);

// This editor's recovery copy: one file, never two writes at once.
class RecoveryKeeper {
public:
    using Clock = RecoverySchedule::Clock;

    // The copy of process `pid` in `folder`, told apart from earlier processes with the same
    // id by `session`.
    RecoveryKeeper(std::string folder, int pid, std::uint64_t session, CopyWriter write = recoveryCopyWriter(),
                   RecoverySchedule schedule = RecoverySchedule());
    ~RecoveryKeeper();  // waits for a write in flight
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    const std::string& folder() const { return folder_; }
    const std::string& copyPath() const { return path_; }
    bool writing() const { return worker_.joinable(); }

    // After each batch of input: the pause starts again; once the work is saved the copy
    // is no longer needed and goes.
    void noteInput(AppState& state, Clock::time_point now);
    // How long the loop may wait for input before calling tick(); nothing: until input.
    std::optional<std::chrono::milliseconds> pollTimeout(const AppState& state, Clock::time_point now) const;
    // Picks up a finished write (a failure becomes a status note) and starts the next one
    // when it is due.
    void tick(AppState& state, Clock::time_point now);
    // Writes the copy on this thread, after any write in flight, when the document has
    // changes the copy lacks. For the way out: a hang-up, a termination, end of input.
    bool writeNow(AppState& state);
    // The work is safe elsewhere (saved, or the user chose to quit): removes the copy, once
    // any write in flight has finished.
    void discard();
    // Takes over a copy left by an ended editor as this editor's own (by renaming it, so no
    // other editor opens it too), holding `contents`. False when it could not be taken.
    bool adopt(const std::string& path, const RecoverySnapshot& contents);
    // The failure to keep a copy has been told already: later failures stay quiet until a
    // copy is written again.
    void failureTold() { failureReported_ = true; }

private:
    bool changesSinceCopy(const AppState& state) const;
    void startWrite(RecoverySnapshot snapshot, Clock::time_point now);
    // Encodes and writes; an empty string on success, else the reason. Safe on the worker.
    std::string writeCopy(const RecoverySnapshot& snapshot) const;
    void finishWrite(AppState* state);
    void removeCopy();

    std::string folder_;
    std::string path_;
    CopyWriter write_;
    RecoverySchedule schedule_;
    std::optional<RecoverySnapshot> written_;  // what the copy on disk holds
    bool copyOnDisk_ = false;
    bool failureReported_ = false;

    std::thread worker_;
    std::atomic<bool> workerDone_{false};
    RecoverySnapshot inFlight_;
    Clock::time_point inFlightSince_{};
    std::string workerError_;  // written by the worker before workerDone_, read after
};

// At start without a file: opens the newest copy of an editor that has ended as an unsaved,
// unowned document (the first save goes through the ownership rule), makes it this editor's
// copy, and says so in the status history. False when there was none to open.
// A folder that refuses writes still gives up its copies (read where they are).
bool recoverUnsavedWork(AppState& state, RecoveryKeeper& keeper, const ProcessAliveCheck& alive = copyOwnerRunning);

// At start: when no copy can be written into the keeper's folder, says so once (and the
// keeper does not repeat it at every pause). False then.
bool checkRecoveryFolder(AppState& state, RecoveryKeeper& keeper);

// After a file is opened: a copy of unsaved work on that same file, left by an editor that
// has ended, is worth knowing about. The note says so; true when there is one.
bool noteRecoveryCopyOf(const std::string& path, AppState& state, const std::string& folder = recoveryFolder(),
                        const ProcessAliveCheck& alive = copyOwnerRunning);
// Whether a note is that one (the start-up notes must not hide it).
bool isRecoveryCopyNote(std::string_view note);

// One line per copy in `folder`, newest first: time, document name, canvas size, file size
// and path; copies of editors still running are marked.
std::vector<std::string> describeRecoveryCopies(const std::string& folder,
                                                const ProcessAliveCheck& alive = copyOwnerRunning);

}  // namespace glyphloom
