// The built program under Xvfb, driven only by keys as a new user would drive
// it: confirm COM1 in Port Setup, tab to Start Download, press Enter, close the
// completion message, Esc. COM1 leads to a pty; its far end is a reader that
// checks every byte the display would receive.

#include "Processes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <sstream>

namespace fs = std::filesystem;
using namespace e2e;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TempDir {
    fs::path path;
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "veltran-e2e-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

// The display's end of the cable: everything written to the port, as it arrives.
class Reader {
public:
    Reader() {
        char name[128] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0) {
            path = name;
            // The program opens the port by its name; it inherits neither end.
            ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
            ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
        }
        m_thread = std::thread([this] { run(); });
    }
    ~Reader() {
        m_stop = true;
        m_thread.join();
        ::close(m_master);
        ::close(m_slave);
    }

    std::string path;

    std::string received() {
        std::lock_guard lock(m_mutex);
        return m_bytes;
    }
    bool waitFor(std::size_t count, std::chrono::seconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (received().size() < count && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(50ms);
        return received().size() >= count;
    }

private:
    // The test keeps the slave open too, so the master reads on between the
    // program's opens of the port instead of failing with EIO.
    void run() {
        while (!m_stop) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            char buffer[512];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0) {
                std::lock_guard lock(m_mutex);
                m_bytes.append(buffer, static_cast<std::size_t>(n));
            }
        }
    }

    int m_master = -1;
    int m_slave = -1;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::string m_bytes;
    std::thread m_thread;
};

class Desktop {
public:
    explicit Desktop(const fs::path& directory) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        m_server = std::make_unique<Child>(
            std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", "3", "-screen", "0",
                                     "1024x768x24", "-nolisten", "tcp"},
            environmentWith({}), directory.string(), (directory / "xvfb.log").string(), fds[1]);
        ::close(fds[1]);
        // Read up to the line feed: the server dies of SIGPIPE if the pipe closes
        // between the number and the line feed that it writes after it.
        std::string number;
        const auto until = std::chrono::steady_clock::now() + 10s;
        char c = 0;
        while (c != '\n' && std::chrono::steady_clock::now() < until) {
            pollfd p{fds[0], POLLIN, 0};
            if (::poll(&p, 1, 100) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
                number += c;
            else if (p.revents & POLLHUP)
                break;
        }
        if (c == '\n' && !number.empty())
            display = ":" + number;
        ::close(fds[0]);
    }
    std::string display;

private:
    std::unique_ptr<Child> m_server;
};

} // namespace

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_reader.path.empty());
        ASSERT_FALSE(m_desktop.display.empty()) << readFile(m_temp.path / "xvfb.log");
        fs::create_directories(m_work);
        for (const auto& entry : fs::directory_iterator(VELTRAN_SAMPLES_DIR)) {
            if (entry.path().extension() == ".CSF")
                fs::copy_file(entry.path(), m_work / entry.path().filename());
        }
        fs::create_directories(m_temp.path / "config/veltran/devices");
        fs::create_symlink(m_reader.path, m_temp.path / "config/veltran/devices/com1");
        fs::create_directories(m_temp.path / "runtime");
        fs::permissions(m_temp.path / "runtime", fs::perms::owner_all);
    }

    std::unique_ptr<Child> start() {
        return std::make_unique<Child>(
            std::vector<std::string>{VELTRAN_EXECUTABLE},
            environmentWith({{"DISPLAY", m_desktop.display},
                             {"QT_QPA_PLATFORM", "xcb"},
                             {"XDG_CONFIG_HOME", (m_temp.path / "config").string()},
                             {"XDG_RUNTIME_DIR", (m_temp.path / "runtime").string()}}),
            m_work.string(), log().string());
    }

    // xdotool with the test's display; its output, or nothing when it failed or hung.
    std::optional<std::string> xdotool(std::vector<std::string> args) {
        args.insert(args.begin(), "/usr/bin/xdotool");
        Child tool(args, environmentWith({{"DISPLAY", m_desktop.display}}), m_temp.path.string());
        const std::optional<int> status = tool.wait(20s);
        if (status != 0)
            return std::nullopt;
        return tool.output();
    }

    // Waits until the window with this title is on screen and holds the keyboard
    // focus, as the program gives it to every window it opens.
    bool waitForFocus(const std::string& title) {
        const std::optional<std::string> found =
            xdotool({"search", "--sync", "--onlyvisible", "--name", "^" + title + "$"});
        if (!found)
            return false;
        std::istringstream ids(*found);
        std::vector<std::string> windows{std::istream_iterator<std::string>(ids), {}};
        const auto until = std::chrono::steady_clock::now() + 10s;
        while (std::chrono::steady_clock::now() < until) {
            const std::optional<std::string> focused = xdotool({"getwindowfocus"});
            if (focused && std::find(windows.begin(), windows.end(),
                                     focused->substr(0, focused->find('\n'))) != windows.end())
                return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    bool keys(std::vector<std::string> names) {
        names.insert(names.begin(), {"key", "--delay", "40"});
        return xdotool(names).has_value();
    }

    fs::path log() const { return m_temp.path / "veltran.log"; }

    TempDir m_temp;
    fs::path m_work = m_temp.path / "work";
    Reader m_reader;
    Desktop m_desktop{m_temp.path};
};

TEST_F(EndToEnd, ANewUserDownloadsASampleCommandSetWithKeysAlone) {
    std::unique_ptr<Child> program = start();

    // Port Setup: tab to the port field, type the port over what it shows, Enter.
    ASSERT_TRUE(waitForFocus("Port Setup")) << readFile(log());
    ASSERT_TRUE(keys({"Tab", "Tab"}));
    ASSERT_TRUE(xdotool({"type", "--delay", "40", "COM1"}));
    ASSERT_TRUE(keys({"Return"}));

    // The main window opens with the focus on EXIT: two tabs reach Start Download.
    ASSERT_TRUE(waitForFocus("Quorvex Command Set Download Utility")) << readFile(log());
    ASSERT_TRUE(keys({"Tab", "Tab", "Return"}));

    // The erase sequence, then every record of the default command set as the
    // text-mode read gives it: one line feed for each CR LF.
    std::string expected("\r\x1b\x13\x1f\x14\x16\x30\x00", 8);
    std::string records = readFile(m_work / "KTX_DEMO.CSF");
    for (std::size_t at; (at = records.find("\r\n")) != std::string::npos;)
        records.erase(at, 1);
    expected += records;
    EXPECT_TRUE(m_reader.waitFor(expected.size(), 30s)) << m_reader.received().size() << " bytes";

    ASSERT_TRUE(waitForFocus("veltran")) << "the completion message";
    ASSERT_TRUE(keys({"Return"}));
    ASSERT_TRUE(waitForFocus("Quorvex Command Set Download Utility"));
    ASSERT_TRUE(keys({"Escape"}));

    EXPECT_EQ(program->wait(20s), 0) << readFile(log());
    EXPECT_EQ(m_reader.received(), expected);
}

TEST_F(EndToEnd, EscInPortSetupEndsTheProgramAtOnceWithoutTheMainWindow) {
    std::unique_ptr<Child> program = start();
    ASSERT_TRUE(waitForFocus("Port Setup")) << readFile(log());
    ASSERT_TRUE(keys({"Escape"}));
    EXPECT_EQ(program->wait(10s), 0) << readFile(log());
    EXPECT_FALSE(
        xdotool({"search", "--name", "^Quorvex Command Set Download Utility$"}).has_value());
    EXPECT_EQ(m_reader.received(), "");
}
