#include "tmux_session.hpp"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace glyphloom::e2e {
namespace {

std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
        ::pclose(pipe);
    }
    return output;
}

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace

std::string shellQuote(const std::string& text) {
    std::string out = "'";
    for (char ch : text) out += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return out + "'";
}

bool TmuxSession::available() { return run("command -v tmux").find("tmux") != std::string::npos; }

TmuxSession::TmuxSession(int cols, int rows) {
    static int counter = 0;
    const std::string id = std::to_string(::getpid()) + "-" + std::to_string(++counter);
    socket_ = "glyphloom-e2e-" + id;
    home_ = std::filesystem::temp_directory_path() / ("glyphloom-e2e-home-" + id);
    std::filesystem::remove_all(home_);
    std::filesystem::create_directories(home_);
    // A plain POSIX shell with a fixed prompt: no line editor that would touch terminal modes.
    const std::string shell = "env -i PATH=/usr/bin:/bin TERM=xterm-256color LANG=C.UTF-8 HOME=" +
                              shellQuote(home_.string()) + " PS1='$ ' /bin/sh";
    tmux("new-session -d -s e2e -x " + std::to_string(cols) + " -y " + std::to_string(rows) + " " +
         shellQuote(shell));
    tmux("set-option -g window-size manual");
    waitForText("$");
}

TmuxSession::~TmuxSession() {
    tmux("kill-server");
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
}

std::string TmuxSession::tmux(const std::string& arguments) {
    return run("tmux -L " + socket_ + " -f /dev/null " + arguments);
}

std::string TmuxSession::readFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

bool TmuxSession::startEditor(const std::string& arguments, const std::string& environment) {
    std::filesystem::remove(home_ / "editor.pid");
    std::filesystem::remove(home_ / "editor.status");
    // The wrapper records the editor's pid, then becomes the editor; the shell records its status.
    const std::string inner = "echo $$ > \"$HOME/editor.pid\"; exec " + environment + " " +
                              shellQuote(GLYPHLOOM_BINARY) + " " + arguments;
    const std::string line = "sh -c " + shellQuote(inner) + "; echo $? > \"$HOME/editor.status\"";
    tmux("send-keys -t e2e -l " + shellQuote(line));
    tmux("send-keys -t e2e Enter");
    // Started means the first frame is on the (freshly cleared) alternate screen. A refused
    // start ends without one: its exit status ends the wait, not the timeout.
    const auto onAlternateScreen = [this] { return paneFormat("#{alternate_on}") == "1"; };
    const bool started =
        waitUntil([&] { return onAlternateScreen() || std::filesystem::exists(home_ / "editor.status"); }) &&
        onAlternateScreen() && waitForText("Glyphloom");
    const std::string pid = trimmed(readFile(home_ / "editor.pid"));
    pid_ = pid.empty() ? -1 : std::stoi(pid);
    return started && pid_ > 0;
}

void TmuxSession::sendBytes(const std::string& bytes) {
    std::string hex;
    char buffer[4];
    for (unsigned char byte : bytes) {
        std::snprintf(buffer, sizeof buffer, " %02x", byte);
        hex += buffer;
    }
    tmux("send-keys -t e2e -H" + hex);
}

void TmuxSession::sendMouse(int button, int x, int y, bool press) {
    sendBytes("\x1b[<" + std::to_string(button) + ";" + std::to_string(x + 1) + ";" + std::to_string(y + 1) +
              (press ? "M" : "m"));
}

void TmuxSession::resize(int cols, int rows) {
    tmux("resize-window -t e2e -x " + std::to_string(cols) + " -y " + std::to_string(rows));
}

void TmuxSession::signalEditor(int signal) {
    if (pid_ > 0) ::kill(pid_, signal);
}

std::string TmuxSession::capture(bool withEscapes) {
    return tmux(std::string("capture-pane -p -t e2e") + (withEscapes ? " -e" : ""));
}

std::vector<std::string> TmuxSession::captureLines() {
    std::vector<std::string> lines;
    std::stringstream in(capture());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string TmuxSession::paneFormat(const std::string& format) {
    return trimmed(tmux("display-message -p -t e2e " + shellQuote(format)));
}

std::optional<int> TmuxSession::waitForExit(std::chrono::milliseconds timeout) {
    const auto path = home_ / "editor.status";
    std::string status;
    const bool done = waitUntil(
        [&] {
            status = trimmed(readFile(path));
            return !status.empty();
        },
        timeout);
    if (!done) return std::nullopt;
    return std::stoi(status);
}

std::string TmuxSession::sttyInPane() {
    const auto path = home_ / "stty.txt";
    std::filesystem::remove(path);
    tmux("send-keys -t e2e -l " + shellQuote("stty -a > \"$HOME/stty.tmp\" && mv \"$HOME/stty.tmp\" \"$HOME/stty.txt\""));
    tmux("send-keys -t e2e Enter");
    std::string text;
    waitUntil([&] {
        text = readFile(path);
        return !text.empty();
    });
    return text;
}

std::optional<std::pair<int, int>> TmuxSession::find(const std::string& text, int fromRow) {
    const auto lines = captureLines();
    for (int y = std::max(fromRow, 0); y < static_cast<int>(lines.size()); ++y) {
        const std::size_t at = lines[static_cast<std::size_t>(y)].find(text);
        if (at == std::string::npos) continue;
        int x = 0;
        for (std::size_t i = 0; i < at; ++i) x += (static_cast<unsigned char>(lines[static_cast<std::size_t>(y)][i]) & 0xC0) != 0x80;
        return std::make_pair(x, y);
    }
    return std::nullopt;
}

void TmuxSession::click(int x, int y, int button) {
    sendMouse(button, x, y, true);
    sendMouse(button, x, y, false);
}

bool TmuxSession::clickText(const std::string& text, int fromRow, int offset) {
    const auto at = find(text, fromRow);
    if (!at) return false;
    click(at->first + offset, at->second);
    return true;
}

bool TmuxSession::waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

bool TmuxSession::waitForText(const std::string& text, std::chrono::milliseconds timeout) {
    return waitUntil([&] { return capture().find(text) != std::string::npos; }, timeout);
}

}  // namespace glyphloom::e2e
