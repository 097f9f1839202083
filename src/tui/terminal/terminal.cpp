#include "tui/terminal/terminal.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/io/file_io.hpp"
#include "core/io/pipe.hpp"
#include "core/io/write_all.hpp"
#include "core/model/version.hpp"

namespace glyphloom {
namespace {

void wakeReader() {
    const int fd = TerminalGlobals::wakeWriteFd;
    if (fd < 0) return;
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(fd, &byte, 1);  // a full pipe is awake already
    errno = saved;
}

// What the editor does with each signal it handles. One table, so that the handlers, the
// set other threads block and the crash handler's list never disagree.
enum class SignalRole {
    crash,         // restore the terminal and die of the signal
    end,           // restore the terminal, keep the work, leave (as SIGTERM does)
    ignore,        // a failed write says so where it happens
    suspend,       // hand the terminal back and stop until continued
    resume,        // continued after a stop: take the terminal again and repaint
    windowChange,  // a resize event at the next read
};

struct HandledSignal {
    int number;
    SignalRole role;
};

constexpr HandledSignal fixedSignals[] = {
    {SIGILL, SignalRole::crash},    {SIGTRAP, SignalRole::crash},   {SIGABRT, SignalRole::crash},
    {SIGSEGV, SignalRole::crash},   {SIGBUS, SignalRole::crash},    {SIGFPE, SignalRole::crash},
    {SIGSYS, SignalRole::crash},    {SIGHUP, SignalRole::end},      {SIGINT, SignalRole::end},
    {SIGQUIT, SignalRole::end},     {SIGTERM, SignalRole::end},     {SIGUSR1, SignalRole::end},
    {SIGUSR2, SignalRole::end},     {SIGALRM, SignalRole::end},     {SIGVTALRM, SignalRole::end},
    {SIGPROF, SignalRole::end},     {SIGXCPU, SignalRole::end},     {SIGIO, SignalRole::end},
#ifdef SIGPWR
    {SIGPWR, SignalRole::end},
#endif
#ifdef SIGSTKFLT
    {SIGSTKFLT, SignalRole::end},
#endif
    {SIGPIPE, SignalRole::ignore},  {SIGXFSZ, SignalRole::ignore},  {SIGTSTP, SignalRole::suspend},
    {SIGCONT, SignalRole::resume},  {SIGWINCH, SignalRole::windowChange},
};

// Every signal whose default is to end the process is in the table; the real-time ones too.
template <typename Visit>
void forEachHandledSignal(Visit visit) {
    for (const HandledSignal& handled : fixedSignals) visit(handled);
#ifdef SIGRTMIN
    for (int number = SIGRTMIN; number <= SIGRTMAX; ++number) visit(HandledSignal{number, SignalRole::end});
#endif
}

// The shell gets its terminal back at once; the work is kept by the loop, which the wake-up
// pipe pulls out of its wait. Should the loop be stuck, the alarm ends the process a little
// later exactly as the signal itself used to.
extern "C" void onTerminationSignal(int signal) {
    restoreTerminal();
    if (TerminalGlobals::endSignal == 0) {
        TerminalGlobals::endSignal = signal;
        ::alarm(endSignalGraceSeconds);
    }
    wakeReader();
}

// SIGALRM is both a signal from outside, which ends the editor like any other, and the end
// of the grace that an earlier one started.
extern "C" void onAlarm(int signal) {
    if (TerminalGlobals::endSignal == 0) return onTerminationSignal(signal);
    restoreTerminal();
    ::_exit(0);
}

extern "C" void onWindowChange(int) {
    TerminalGlobals::winch = 1;
    wakeReader();
}

void openWakePipe() {
    if (TerminalGlobals::wakeReadFd >= 0) return;
    int fds[2];
    if (!openPipe(fds, true)) return;  // without it, the read is still interrupted
    TerminalGlobals::wakeReadFd = fds[0];
    TerminalGlobals::wakeWriteFd = fds[1];
}

void drainWakePipe() {
    const int fd = TerminalGlobals::wakeReadFd;
    if (fd < 0) return;
    char buffer[64];
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
}

extern "C" void onFatalSignal(int signal) {
    restoreTerminal();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void installHandler(int signal, void (*handler)(int), int flags = 0) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = flags;  // no SA_RESTART: a window change must interrupt the blocking read
    sigaction(signal, &action, nullptr);
}

// Raw mode and the enter sequence again, after a stop. Signal-safe.
void reenterTerminal() {
    if (TerminalGlobals::haveTermios) tcsetattr(STDIN_FILENO, TCSANOW, &TerminalGlobals::rawTermios);
    TerminalGlobals::rawActive = 1;
    writeAll(STDOUT_FILENO, terminalEnterSequence, sizeof terminalEnterSequence - 1);
}

extern "C" void onContinue(int);

// The shell gets its ordinary terminal while the editor is stopped; the stop itself is the
// default action, taken here with the handler out of the way. Execution goes on after the
// stop once the editor is continued.
extern "C" void onSuspend(int signal) {
    const int saved = errno;
    const bool wasActive = TerminalGlobals::rawActive;
    restoreTerminal();
    installHandler(signal, SIG_DFL);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, signal);
    ::raise(signal);                              // pending while the handler runs…
    pthread_sigmask(SIG_UNBLOCK, &stop, nullptr);  // …and taken here: the process stops
    installHandler(signal, onSuspend);
    if (wasActive) reenterTerminal();
    TerminalGlobals::resumed = 1;
    wakeReader();
    errno = saved;
}

// A continue without our own stop (SIGSTOP cannot be caught): the shell may have changed the
// modes meanwhile, so they are applied again.
extern "C" void onContinue(int) {
    const int saved = errno;
    if (TerminalGlobals::rawActive) reenterTerminal();
    TerminalGlobals::resumed = 1;
    wakeReader();
    errno = saved;
}

// The alternate stack of one thread, given back to the system before its memory goes.
class AlternateSignalStack {
public:
    AlternateSignalStack() : memory_(new char[size]) {
        stack_t stack{};
        stack.ss_sp = memory_.get();
        stack.ss_size = size;
        installed_ = ::sigaltstack(&stack, nullptr) == 0;
    }
    ~AlternateSignalStack() {
        if (!installed_) return;
        stack_t off{};
        off.ss_flags = SS_DISABLE;
        ::sigaltstack(&off, nullptr);
    }
    AlternateSignalStack(const AlternateSignalStack&) = delete;
    AlternateSignalStack& operator=(const AlternateSignalStack&) = delete;

private:
    // Room for the handler (a few system calls) whatever the system's own minimum.
    static constexpr std::size_t size = std::size_t{64} << 10;
    std::unique_ptr<char[]> memory_;
    bool installed_ = false;
};

extern "C" void restoreAtExit() { restoreTerminal(); }

}  // namespace

void restoreTerminal() {
    if (!TerminalGlobals::rawActive) return;
    writeAll(STDOUT_FILENO, terminalExitSequence, sizeof terminalExitSequence - 1);
    // Keys typed while the editor was busy, and queued mouse reports, would otherwise run
    // as commands at the shell's prompt.
    tcflush(STDIN_FILENO, TCIFLUSH);
    tcsetattr(STDIN_FILENO, TCSANOW, &TerminalGlobals::origTermios);
    TerminalGlobals::rawActive = 0;
}

void installCrashHandler() {
    const std::string path = homeDirectory() + "/.glyphloom-crash.log";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
        const std::string banner = "\n--- glyphloom session " + std::string(glyphloomVersion()) + " ---\n";
        writeAll(fd, banner.data(), banner.size());
        // From here on, diagnostics land in the log instead of over the picture.
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
    }
    useAlternateSignalStack();
    forEachHandledSignal([](const HandledSignal& handled) {
        if (handled.role == SignalRole::crash) installHandler(handled.number, onFatalSignal, SA_ONSTACK);
    });
}

void useAlternateSignalStack() {
    thread_local const AlternateSignalStack stack;
}

void installSignalHandlers() {
    installCrashHandler();
    openWakePipe();
    forEachHandledSignal([](const HandledSignal& handled) {
        switch (handled.role) {
            case SignalRole::crash: break;
            case SignalRole::end:
                installHandler(handled.number, handled.number == SIGALRM ? onAlarm : onTerminationSignal);
                break;
            case SignalRole::ignore: installHandler(handled.number, SIG_IGN); break;
            case SignalRole::suspend: installHandler(handled.number, onSuspend); break;
            case SignalRole::resume: installHandler(handled.number, onContinue); break;
            case SignalRole::windowChange: installHandler(handled.number, onWindowChange); break;
        }
    });
}

sigset_t terminalSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    forEachHandledSignal([&set](const HandledSignal& handled) {
        if (handled.role != SignalRole::crash && handled.role != SignalRole::ignore) sigaddset(&set, handled.number);
    });
    return set;
}

bool Terminal::takeResumed() {
    if (!TerminalGlobals::resumed) return false;
    TerminalGlobals::resumed = 0;
    return true;
}

void Terminal::enter() {
    // Handlers first: a signal that lands between switching modes and installing them would
    // otherwise leave the shell in raw mode on the alternate screen.
    installSignalHandlers();
    struct termios raw {};
    if (tcgetattr(STDIN_FILENO, &TerminalGlobals::origTermios) == 0) {
        raw = TerminalGlobals::origTermios;
        cfmakeraw(&raw);
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
        TerminalGlobals::rawTermios = raw;
        TerminalGlobals::haveTermios = 1;
    }
    TerminalGlobals::rawActive = 1;
    writeAll(STDOUT_FILENO, terminalEnterSequence, sizeof terminalEnterSequence - 1);
    static bool registered = false;
    if (!registered) {
        std::atexit(restoreAtExit);
        registered = true;
    }
}

void Terminal::exit() { restoreTerminal(); }

TerminalSize Terminal::size() {
    struct winsize ws {};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &ws) != 0 || ws.ws_row == 0 || ws.ws_col == 0) return {};
    return {ws.ws_row, ws.ws_col};
}

std::vector<InputEvent> Terminal::readEvents(std::optional<std::chrono::milliseconds> timeout) {
    std::vector<InputEvent> events;
    // Wait for input, a signal's wake-up or the timeout; then read only when input is there.
    struct pollfd waits[2] = {{STDIN_FILENO, POLLIN, 0}, {TerminalGlobals::wakeReadFd, POLLIN, 0}};
    const int waitCount = TerminalGlobals::wakeReadFd >= 0 ? 2 : 1;
    const int ready = ::poll(waits, static_cast<nfds_t>(waitCount),
                             timeout ? static_cast<int>(std::clamp<std::int64_t>(timeout->count(), 0, INT_MAX)) : -1);
    const int pollError = errno;
    if (waitCount == 2 && (waits[1].revents & POLLIN)) drainWakePipe();
    // A failing poll (other than an interruption) leaves the judgement to the read itself.
    const bool readNow = (ready < 0 ? pollError != EINTR : (waits[0].revents != 0)) && !TerminalGlobals::endSignal;
    if (!readNow) {
        if (TerminalGlobals::winch) {
            TerminalGlobals::winch = 0;
            events.push_back(InputEvent::resize());
        }
        return events;
    }
    std::uint8_t buffer[readSize] = {};
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    const int readError = errno;
    if (TerminalGlobals::winch) {
        TerminalGlobals::winch = 0;
        events.push_back(InputEvent::resize());
    }
    if (count > 0) {
        hardReadErrors = 0;
        auto decoded = decodeInput(std::span(buffer, static_cast<std::size_t>(count)), pending,
                                   static_cast<std::size_t>(count) == readSize);
        events.insert(events.end(), decoded.begin(), decoded.end());
    } else if (count < 0 && readError == EINTR) {
        // A signal (usually a window change) woke us: not an error.
    } else if (count < 0) {
        if (++hardReadErrors >= maxHardReadErrors) events.push_back(InputEvent::eof());
    } else {
        events.push_back(InputEvent::eof());
    }
    return events;
}

}  // namespace glyphloom
