// The interactive terminal session: raw mode, alternate screen and mouse reporting on
// enter; a guaranteed restore however the process ends (normal exit, termination signal,
// crash) or pauses (a stop signal, then a repaint on the way back); the crash log; the
// window size; and reading input as decoded events.
#pragma once

#include <pthread.h>
#include <signal.h>
#include <termios.h>

#include <chrono>
#include <csignal>
#include <optional>
#include <cstdint>
#include <thread>
#include <vector>

#include "tui/terminal/input_decoder.hpp"

namespace glyphloom {

inline constexpr char terminalEnterSequence[] = "\x1b[?1049h\x1b[?25l\x1b[?1002h\x1b[?1003h\x1b[?1006h";
inline constexpr char terminalExitSequence[] = "\x1b[?1003l\x1b[?1006l\x1b[?1002l\x1b[?25h\x1b[?1049l";

// Session state that signal handlers must reach. Only async-signal-safe work touches it there.
struct TerminalGlobals {
    static inline volatile std::sig_atomic_t rawActive = 0;
    static inline struct termios origTermios {};
    // The raw attributes applied at enter, applied again when the editor comes back from a stop.
    static inline struct termios rawTermios {};
    static inline volatile std::sig_atomic_t haveTermios = 0;
    static inline volatile std::sig_atomic_t winch = 0;
    // Set when the editor continues after a stop: the terminal shows the shell's screen and
    // the whole frame must be drawn again.
    static inline volatile std::sig_atomic_t resumed = 0;
    // The signal that asked the editor to end (hang-up, termination, interrupt, quit, a user
    // signal, an alarm and the like; 0: none). that asked the editor to end (0: none).
    // The terminal is already restored by then; the loop keeps the work safe and leaves.
    static inline volatile std::sig_atomic_t endSignal = 0;
    // A pipe whose write end the signal handlers poke, so that a read waiting for input
    // wakes even when the signal landed just before it began to wait (-1: not open).
    static inline volatile std::sig_atomic_t wakeReadFd = -1;
    static inline volatile std::sig_atomic_t wakeWriteFd = -1;
};

// How long the loop has to leave after a termination signal before the process ends
// without it, as it would have done at once without any unsaved work to keep.
inline constexpr unsigned endSignalGraceSeconds = 2;

struct TerminalSize {
    int rows = 24;
    int cols = 80;
};

class Terminal {
public:
    static constexpr std::size_t readSize = 1024;
    static constexpr int maxHardReadErrors = 8;

    // Raw mode, alternate screen, mouse reporting, signal and crash handlers, restore at exit.
    static void enter();
    static void exit();
    // The window size of standard output; 24 × 80 when the query fails or reports zero.
    static TerminalSize size();
    // True once after the editor continued from a stop (see TerminalGlobals::resumed).
    static bool takeResumed();

    // One blocking read of standard input, decoded. A window change that interrupted the
    // read comes first as `resize`; end of input, or eight failed reads in a row, as `eof`.
    // With a timeout, an empty batch comes back when no input arrived in that time. A
    // termination signal ends the wait too (see TerminalGlobals::endSignal).
    std::vector<InputEvent> readEvents(std::optional<std::chrono::milliseconds> timeout = std::nullopt);

    static std::vector<InputEvent> decodeInput(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& pending,
                                               bool bufferWasFull) {
        return glyphloom::decodeInput(bytes, pending, bufferWasFull);
    }

    std::vector<std::uint8_t> pending;
    int hardReadErrors = 0;
};

// Undoes raw mode and the enter sequence; does nothing unless the session is active, so any
// number of calls (exit handler, signal handler, normal exit) is harmless. Input typed but
// not yet read is discarded first: it was meant for the editor, not for the shell.
// Signal-safe.
void restoreTerminal();
void installSignalHandlers();
void installCrashHandler();
// Gives the calling thread a stack of its own for the crash handler, so that running out of
// stack still restores the terminal. Once per thread is enough; later calls do nothing.
void useAlternateSignalStack();

// The signals the main loop handles (ends, stops, continues, window changes). Other threads
// block them, so that they always land where the loop's wait sees them.
sigset_t terminalSignalSet();

// Starts a thread that never takes the terminal's signals. (Faults it causes itself still
// reach the crash handler, on a stack of the thread's own.)
template <typename Body>
std::thread threadWithoutTerminalSignals(Body body) {
    const sigset_t blocked = terminalSignalSet();
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &blocked, &previous);
    std::thread thread([body = std::move(body)]() mutable {
        useAlternateSignalStack();
        body();
    });
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return thread;
}

}  // namespace glyphloom
