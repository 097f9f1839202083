// Drives the real glyphloom binary inside a private tmux server: a pane with a plain shell,
// keys and raw bytes sent with send-keys, the screen read with capture-pane, terminal modes
// read from tmux's pane flags and from `stty -a` run in the pane after the editor exits.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace glyphloom::e2e {

class TmuxSession {
public:
    // A detached session of the given size whose shell has HOME pointing at a fresh folder.
    TmuxSession(int cols, int rows);
    ~TmuxSession();
    TmuxSession(const TmuxSession&) = delete;
    TmuxSession& operator=(const TmuxSession&) = delete;

    static bool available();

    // Types the editor's command line into the shell and waits for its first frame.
    bool startEditor(const std::string& arguments = "", const std::string& environment = "");
    int editorPid() const { return pid_; }

    // Raw bytes, exactly as a terminal would deliver them.
    void sendBytes(const std::string& bytes);
    // An SGR (1006) mouse report at 0-based screen cell (x, y).
    void sendMouse(int button, int x, int y, bool press);
    void resize(int cols, int rows);
    void signalEditor(int signal);

    // The visible screen, one line per row (trailing blanks trimmed by tmux); with escapes
    // for colours when asked.
    std::string capture(bool withEscapes = false);
    std::vector<std::string> captureLines();
    // A tmux format evaluated for the pane, e.g. "#{alternate_on}".
    std::string paneFormat(const std::string& format);

    // Waits until the editor's shell line reports an exit status; nothing on timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Runs `stty -a` in the pane's shell (after the editor has exited) and returns its output.
    std::string sttyInPane();

    bool waitUntil(const std::function<bool()>& condition,
                   std::chrono::milliseconds timeout = std::chrono::seconds(5));
    bool waitForText(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(5));

    // Screen position (x, y) of the first occurrence of `text` at or below row `fromRow`,
    // counting one column per character.
    std::optional<std::pair<int, int>> find(const std::string& text, int fromRow = 0);
    // A left click (press and release) on the first character of `text`; false when absent.
    bool clickText(const std::string& text, int fromRow = 0, int offset = 0);
    void click(int x, int y, int button = 0);

    const std::filesystem::path& home() const { return home_; }

private:
    std::string tmux(const std::string& arguments);
    std::string readFile(const std::filesystem::path& path);

    std::string socket_;
    std::filesystem::path home_;
    int pid_ = -1;
};

// The editor at 120 × 34 (or the terminal size a case asks for) on an 80 × 25 canvas, quit
// at the end (Esc leaves any field, and a dirty document asks twice); skipped where tmux is
// missing.
class EditorFixture : public ::testing::Test {
protected:
    virtual std::pair<int, int> terminalSize() const { return {120, 34}; }
    void SetUp() override {
        if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed (./dev test installs it)";
        tmux = std::make_unique<TmuxSession>(terminalSize().first, terminalSize().second);
        ASSERT_TRUE(tmux->startEditor("--size 80x25")) << tmux->capture();
    }
    void TearDown() override {
        if (!tmux) return;
        tmux->sendBytes("\x1b\x03\x03");
        tmux->waitForExit();
    }
    std::unique_ptr<TmuxSession> tmux;
};

// Shell quoting for a single argument.
std::string shellQuote(const std::string& text);

}  // namespace glyphloom::e2e
