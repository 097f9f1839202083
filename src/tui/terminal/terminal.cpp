#include "tui/terminal/terminal.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "core/io/file_io.hpp"
#include "core/io/pipe.hpp"
#include "core/io/write_all.hpp"
#include "tui/state/version.hpp"

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

// The shell gets its terminal back at once; the work is kept by the loop, which the wake-up
// pipe pulls out of its wait. Should the loop be stuck (a download, say), the alarm ends the
// process a little later exactly as the signal itself used to.
extern "C" void onTerminationSignal(int signal) {
    restoreTerminal();
    if (TerminalGlobals::endSignal == 0) {
        TerminalGlobals::endSignal = signal;
        ::alarm(endSignalGraceSeconds);
    }
    wakeReader();
}

extern "C" void onEndGraceOver(int) {
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

void installHandler(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a window change must interrupt the blocking read
    sigaction(signal, &action, nullptr);
}

extern "C" void restoreAtExit() { restoreTerminal(); }

}  // namespace

void restoreTerminal() {
    if (!TerminalGlobals::rawActive) return;
    writeAll(STDOUT_FILENO, terminalExitSequence, sizeof terminalExitSequence - 1);
    tcsetattr(STDIN_FILENO, TCSANOW, &TerminalGlobals::origTermios);
    TerminalGlobals::rawActive = 0;
}

void installCrashHandler() {
    const std::string path = homeDirectory() + "/.glyphloom-crash.log";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
        const std::string banner = "\n--- glyphloom session " + std::string(glyphloomVersion) + " ---\n";
        writeAll(fd, banner.data(), banner.size());
        // From here on, diagnostics land in the log instead of over the picture.
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
    }
    for (int signal : {SIGILL, SIGTRAP, SIGABRT, SIGSEGV, SIGBUS, SIGFPE}) installHandler(signal, onFatalSignal);
}

void installSignalHandlers() {
    installCrashHandler();
    openWakePipe();
    installHandler(SIGALRM, onEndGraceOver);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) installHandler(signal, onTerminationSignal);
    installHandler(SIGWINCH, onWindowChange);
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
