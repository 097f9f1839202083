#include "tui/actions/font_import.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/codec/zip_test_file.hpp"
#include "core/fonts/font_store.hpp"
#include "core/fonts/tdf_test_file.hpp"
#include "app/main_loop.hpp"
#include "scoped_config_home.hpp"
#include "stdin_pipe.hpp"
#include "tui/actions/curl_library.hpp"
#include "tui/tools/text_tool.hpp"

extern char** environ;

namespace glyphloom {
namespace font_import_test {

namespace fs = std::filesystem;
using testing_support::ScopedConfigHome;
using testing_support::StdinPipe;

const int builtInCount = static_cast<int>(BlockFont::builtIn().size());

std::vector<std::uint8_t> oneFontTDF(const std::string& name = "Served") {
    return tdf_test::file({tdf_test::Record{name, 1, 1, {{'A', tdf_test::blockGlyph({"A"})}}}});
}

// A small HTTP server on 127.0.0.1 that the test starts and stops. Paths: /named (a
// Content-Disposition of cool.tdf), /evil (one of ../../escape.tdf), /slow (never answers
// in time), /trickle (a byte every 50 ms, for 20 s), /missing (404); anything else serves
// the font plainly. It ends by itself after
// a minute in case the test dies first.
class LocalServer {
public:
    explicit LocalServer(const fs::path& folder) {
        const fs::path body = folder / "served.tdf";
        const auto data = oneFontTDF();
        std::ofstream(body, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        const fs::path script = folder / "server.py";
        std::ofstream(script) << R"(import http.server, sys, threading, time
body = open(sys.argv[1], 'rb').read()
class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if self.path.startswith('/slow'):
            time.sleep(5)
            return
        if self.path.startswith('/trickle'):
            self.send_response(200)
            self.send_header('Content-Length', '400')
            self.end_headers()
            try:
                for _ in range(400):
                    self.wfile.write(b'x')
                    self.wfile.flush()
                    time.sleep(0.05)
            except OSError:
                pass
            return
        if self.path.startswith('/missing'):
            self.send_error(404)
            return
        self.send_response(200)
        if self.path.startswith('/named'):
            self.send_header('Content-Disposition', 'attachment; filename="cool.tdf"; size=1')
        if self.path.startswith('/evil'):
            self.send_header('content-disposition', 'attachment; filename=../../escape.tdf')
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
threading.Timer(60, server.shutdown).start()
server.serve_forever()
)";
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        const std::string scriptPath = script.string(), bodyPath = body.string();
        char* argv[] = {const_cast<char*>("python3"), const_cast<char*>(scriptPath.c_str()),
                        const_cast<char*>(bodyPath.c_str()), nullptr};
        if (posix_spawnp(&pid_, "python3", &actions, nullptr, argv, environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        std::string line;
        char ch;
        while (::read(pipeFds[0], &ch, 1) == 1 && ch != '\n') line += ch;
        ::close(pipeFds[0]);
        if (!line.empty()) port_ = std::stoi(line);
    }
    ~LocalServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool running() const { return pid_ > 0 && port_ > 0; }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

TEST(FontImport, DownloadsNameTheFileFromTheHeaderOrTheAddress) {
    const ScopedConfigHome config("font-download");
    const LocalServer server(config.path());
    if (!server.running()) GTEST_SKIP() << "python3 could not start a local server";
    const struct {
        const char* path;
        const char* stored;
    } cases[] = {
        {"/named/ignored.tdf", "cool.tdf"},
        {"/fonts/", "font.tdf"},
        {"/plain/other.tdf?x=1", "other.tdf"},
        {"/evil", "escape.tdf"},
    };
    for (const auto& c : cases) {
        AppState state;
        importFontFromEntry("  " + server.url(c.path) + " ", state);
        EXPECT_EQ(state.statusNote.value_or(""), std::string("imported 1 font from ") + c.stored) << c.path;
        EXPECT_TRUE(fs::exists(config.fontsFolder() / c.stored)) << c.path;
        EXPECT_FALSE(state.importedFonts.empty());
    }
    EXPECT_FALSE(fs::exists(config.path() / "escape.tdf"));
    EXPECT_FALSE(fs::exists(config.path().parent_path() / "escape.tdf"));

    AppState state;
    importFontFromEntry(server.url("/missing"), state);
    EXPECT_EQ(state.statusNote.value_or(""), "download failed");

    const auto start = std::chrono::steady_clock::now();
    importFontFromEntry(server.url("/slow"), state, std::chrono::milliseconds(300));
    EXPECT_EQ(state.statusNote.value_or(""), "download timed out");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST(FontImport, ADownloadRunsBesideTheEditorAndStopsWhenCancelled) {
    const ScopedConfigHome config("font-trickle");
    const LocalServer server(config.path());
    if (!server.running()) GTEST_SKIP() << "python3 could not start a local server";
    AppState state;
    queueFontImport(server.url("/trickle"), state);
    const auto start = std::chrono::steady_clock::now();
    runPendingFontImport(state);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << "the download held up the editor";
    ASSERT_TRUE(state.fontDownload);
    EXPECT_TRUE(state.pendingFontURL);  // the download box stays up meanwhile

    // Progress shows as it comes.
    for (int i = 0; i < 300 && state.fontDownloadBytes == 0; ++i) {
        followFontDownload(state);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GT(state.fontDownloadBytes, 0u);
    EXPECT_TRUE(state.fontDownload) << "a 20-second download ended early";

    cancelFontDownload(state);
    const auto cancelled = std::chrono::steady_clock::now();
    while (state.fontDownload && std::chrono::steady_clock::now() - cancelled < std::chrono::seconds(5)) {
        followFontDownload(state);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(state.fontDownload);
    EXPECT_LT(std::chrono::steady_clock::now() - cancelled, std::chrono::seconds(3));
    EXPECT_EQ(state.statusNote.value_or(""), "download cancelled");
    EXPECT_FALSE(state.pendingFontURL);
    EXPECT_TRUE(state.importedFonts.empty());
}

TEST(FontImport, TheLoopReadsKeysWhileAFontDownloads) {
    const ScopedConfigHome config("font-loop");
    const LocalServer server(config.path());
    if (!server.running()) GTEST_SKIP() << "python3 could not start a local server";
    StdinPipe input;
    std::string output;
    Screen screen{[&output](std::string_view bytes) { output += bytes; }, false};
    screen.resize(24, 80);
    AppState state;
    Terminal terminal;
    Layout layout = drawFrame(state, screen);
    queueFontImport(server.url("/trickle"), state);
    runPendingFontImport(state);  // as the loop does once the frame asking for it is shown
    // Esc stops the download; end of input then ends the loop, which must get there long
    // before the 20-second transfer would have.
    input.write("\x1b");
    std::thread endInput([&input] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        input.closeWriter();
    });
    const auto start = std::chrono::steady_clock::now();
    runMainLoop(state, terminal, screen, layout);
    endInput.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
    EXPECT_FALSE(state.fontDownload);
    const auto& notes = state.statusHistory();
    EXPECT_NE(std::find(notes.begin(), notes.end(), "download cancelled"), notes.end());
}

TEST(FontImport, ADownloadWithoutLibcurlSaysSoAtOnce) {
    setCurlLibraryLoader([] { return std::optional<CurlLibrary>(); });
    AppState state;
    const auto start = std::chrono::steady_clock::now();
    importFontFromEntry("http://127.0.0.1:9/font.tdf", state);
    setCurlLibraryLoader({});
    EXPECT_EQ(state.statusNote.value_or(""), "download failed: libcurl not found");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_TRUE(state.importedFonts.empty());
}

TEST(FontImport, NamesFromHeadersAndAddresses) {
    const std::pair<const char*, std::optional<std::string>> headers[] = {
        {"attachment; filename=\"cool.tdf\"", "cool.tdf"}, {"attachment; FILENAME=plain.flf; x=1", "plain.flf"},
        {"inline", std::nullopt}, {"attachment; filename=\"\"", std::nullopt}};
    for (const auto& [value, name] : headers) EXPECT_EQ(dispositionFileName(value), name) << value;
    const std::pair<const char*, const char*> urls[] = {{"https://h/a/b.tdf", "b.tdf"}, {"https://h/a/", ""},
                                                        {"https://h", ""}, {"http://h/x.zip#frag", "x.zip"}};
    for (const auto& [url, name] : urls) EXPECT_EQ(urlFileName(url), name) << url;
}

TEST(FontImport, FilesAreReadFromTheBrowsedFolderAndReported) {
    const ScopedConfigHome config("font-file");
    AppState state;
    state.browseDir = config.path().string();
    const auto tdf = oneFontTDF();
    std::ofstream(config.path() / "mine.tdf", std::ios::binary).write(reinterpret_cast<const char*>(tdf.data()), static_cast<std::streamsize>(tdf.size()));
    std::ofstream(config.path() / "fonts.bin") << "not a font";
    std::ofstream(config.path() / "bad.flf") << "flf2a$ -3 1 1 0 0\n";
    const auto zip = zip_test::archive({{"readme.txt", "x"}});
    std::ofstream(config.path() / "texts.zip", std::ios::binary).write(reinterpret_cast<const char*>(zip.data()), static_cast<std::streamsize>(zip.size()));

    const std::pair<std::string, std::string> cases[] = {
        {"mine.tdf", "imported 1 font from mine.tdf"},
        {(config.path() / "mine.tdf").string(), "imported 1 font from mine.tdf"},
        {"fonts.bin", "imported 0 fonts from fonts.bin"},
        {"bad.flf", "couldn't import bad.flf: Could not parse FIGlet font"},
        {"texts.zip", "couldn't import texts.zip: No .tdf or .flf files found in zip"},
        {"absent.tdf", "couldn't read absent.tdf"},
    };
    for (const auto& [named, note] : cases) {
        importFontFile(named, state);
        EXPECT_EQ(state.statusNote.value_or(""), note) << named;
    }
    EXPECT_EQ(state.importedFonts.size(), 1u);  // fonts.bin holds none and is not listed
    EXPECT_TRUE(fs::exists(config.fontsFolder() / "fonts.bin"));
    EXPECT_FALSE(fs::exists(config.fontsFolder() / "bad.flf"));
}

TEST(FontImport, ArchivesReportEachFontFileAsItIsImported) {
    const ScopedConfigHome config("font-progress");
    const auto tdf = oneFontTDF();
    const std::string font(tdf.begin(), tdf.end());
    const auto zip = zip_test::archive({{"a.tdf", font}, {"notes.txt", "x"}, {"b.tdf", font, true}, {"c/c.tdf", font}});
    AppState state;
    std::vector<FontImportProgress> seen;
    std::vector<bool> written;
    importFontData(zip, "bundle.zip", state, [&] {
        ASSERT_TRUE(state.fontImportProgress);
        seen.push_back(*state.fontImportProgress);
        written.push_back(fs::exists(config.fontsFolder() / "c.tdf"));
    });
    EXPECT_EQ(seen, (std::vector<FontImportProgress>{{"bundle.zip", 1, 3}, {"bundle.zip", 2, 3}, {"bundle.zip", 3, 3}}));
    EXPECT_EQ(written, (std::vector<bool>{false, false, true}));
    EXPECT_FALSE(state.fontImportProgress);
    EXPECT_EQ(state.statusNote.value_or(""), "imported 3 fonts from bundle.zip");

    // A single font file has nothing to count.
    seen.clear();
    importFontData(tdf, "single.tdf", state, [&] { seen.push_back(*state.fontImportProgress); });
    EXPECT_TRUE(seen.empty());
}

TEST(FontImport, DamagedArchiveMembersAreNamedInTheNote) {
    const ScopedConfigHome config("font-damaged");
    const auto tdf = oneFontTDF();
    const std::string font(tdf.begin(), tdf.end());
    const struct {
        std::vector<std::string> members, damaged;
        const char* note;
    } cases[] = {
        {{"good.tdf", "fonts/bigout.tdf", "notes.txt"}, {"fonts/bigout.tdf", "notes.txt"},
         "imported 1 font from X.zip; skipped bigout.tdf: damaged"},
        {{"good.tdf", "a.tdf", "b.tdf", "c.tdf", "d.tdf"}, {"a.tdf", "b.tdf", "c.tdf", "d.tdf"},
         "imported 1 font from X.zip; skipped a.tdf: damaged, b.tdf: damaged, c.tdf: damaged and 1 more"},
        {{"a.tdf", "fonts/bigout.tdf"}, {"a.tdf", "fonts/bigout.tdf"},
         "couldn't import X.zip: no font file in it could be read; skipped a.tdf: damaged, bigout.tdf: damaged"},
    };
    for (const auto& c : cases) {
        std::vector<zip_test::Member> members;
        for (const std::string& name : c.members) members.push_back({name, font, true});
        auto zip = zip_test::archive(members);
        for (const std::string& name : c.damaged) zip_test::breakCRC(zip, name);
        AppState state;
        importFontData(zip, "X.zip", state);
        EXPECT_EQ(state.statusNote.value_or(""), c.note);
    }
}

TEST(FontImport, PickedFilesWaitForTheFrameThenImport) {
    const ScopedConfigHome config("font-pending");
    AppState state;
    state.browseDir = config.path().string();
    const auto tdf = oneFontTDF();
    const std::string font(tdf.begin(), tdf.end());
    const auto zip = zip_test::archive({{"a.tdf", font}, {"b.tdf", font}});
    std::ofstream(config.path() / "two.zip", std::ios::binary)
        .write(reinterpret_cast<const char*>(zip.data()), static_cast<std::streamsize>(zip.size()));
    state.pendingFontFile = "two.zip";
    int repaints = 0;
    runPendingFontImport(state, [&] { ++repaints; });
    EXPECT_EQ(repaints, 2);
    EXPECT_FALSE(state.pendingFontFile);
    EXPECT_EQ(state.statusNote.value_or(""), "imported 2 fonts from two.zip");
    EXPECT_EQ(state.importedFonts.size(), 2u);
    runPendingFontImport(state, [&] { ++repaints; });  // nothing pending: nothing happens
    EXPECT_EQ(repaints, 2);
}

TEST(FontImport, ChoosingAndDeletingFaces) {
    const ScopedConfigHome config("font-delete");
    AppState state;
    importFontData(oneFontTDF("First"), "a.tdf", state);
    importFontData(oneFontTDF("Second"), "b.tdf", state);
    ASSERT_EQ(state.importedFonts.size(), 2u);

    chooseTextFont(builtInCount + 1, state);
    EXPECT_EQ(state.statusNote.value_or(""), "font: Second");
    chooseTextFont(std::nullopt, state);
    EXPECT_EQ(state.statusNote.value_or(""), "font: Plain");
    EXPECT_FALSE(state.textFontIndex);
    chooseTextFont(builtInCount + 1, state);

    // Built-in faces cannot be removed; an imported one asks first.
    requestFontDelete(0, state);
    EXPECT_FALSE(state.fontDeletePending);
    requestFontDelete(builtInCount + 5, state);
    EXPECT_FALSE(state.fontDeletePending);
    requestFontDelete(builtInCount, state);
    EXPECT_EQ(state.fontDeletePending, builtInCount);
    deleteImportedFont(builtInCount, state);
    EXPECT_FALSE(fs::exists(config.fontsFolder() / "a.tdf"));
    ASSERT_EQ(state.importedFonts.size(), 1u);
    // The chosen face moved up one place and is still the one chosen.
    EXPECT_EQ(state.textFontIndex, builtInCount);
    EXPECT_EQ(currentTextFont(state)->name, "Second");
    deleteImportedFont(builtInCount, state);
    EXPECT_FALSE(state.textFontIndex);
    EXPECT_TRUE(state.importedFonts.empty());
}

}  // namespace font_import_test
}  // namespace glyphloom
