// Runs the built emulator and talks to it the way the download program does:
// open the slave non-blocking, lock it, raw mode, set the speed, write, close.

#include "tests/display/Sequences.h"
#include "tests/support/JsonReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using namespace sequences;
using testing::HasSubstr;

namespace {

// Arrival times are taken when the emulator wakes for the data. On a loaded machine
// a late wake for one record shortens the gap after it by as much; 15 ms has been
// seen with both cores busy, so timing checks leave this much room.
constexpr double kWakeSlackMs = 25;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/veltran-display-test-XXXXXX";
        path_ = mkdtemp(name) ? name : "";
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string file(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Reads everything the pipe gives until EOF, waiting at most timeoutMs for each piece.
std::string readAll(int fd, int timeoutMs) {
    std::string text;
    char buffer[4096];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0)
            return text;
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

class Emulator {
public:
    explicit Emulator(const std::vector<std::string>& args) {
        int out[2], err[2];
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
            return;
        std::vector<std::string> all = {VELTRAN_DISPLAY_EXE};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        close(err[1]);
        out_ = out[0];
        err_ = err[0];

        // The first line names the slave.
        while (pid_ > 0 && stdout_.find('\n') == std::string::npos) {
            pollfd p{out_, POLLIN, 0};
            char c[256];
            ssize_t n = poll(&p, 1, 5000) > 0 ? read(out_, c, sizeof c) : 0;
            if (n <= 0)
                break;
            stdout_.append(c, static_cast<std::size_t>(n));
        }
        const std::string prefix = "veltran-display: listening on ";
        if (stdout_.rfind(prefix, 0) == 0)
            slave_ = stdout_.substr(prefix.size(), stdout_.find('\n') - prefix.size());
    }

    ~Emulator() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(out_);
        close(err_);
    }

    const std::string& slave() const { return slave_; }

    // Waits for the end (sending signal first when given); the exit status, or -1.
    int finish(int signal = 0) {
        if (signal != 0)
            kill(pid_, signal);
        stdout_ += readAll(out_, 10'000);
        stderr_ = readAll(err_, 1000);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const std::string& output() const { return stdout_; }
    const std::string& errors() const { return stderr_; }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    std::string stdout_;
    std::string stderr_;
    std::string slave_;
};

// The program's side of the line.
class Port {
public:
    Port(const std::string& path, speed_t speed) {
        fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        EXPECT_GE(fd_, 0) << path << ": " << std::strerror(errno);
        EXPECT_EQ(flock(fd_, LOCK_EX | LOCK_NB), 0);
        EXPECT_EQ(ioctl(fd_, TIOCEXCL), 0);
        termios tio{};
        EXPECT_EQ(tcgetattr(fd_, &tio), 0);
        tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
        tio.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON | IXOFF | IXANY |
                                              ISTRIP | BRKINT | PARMRK);
        tio.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL | ISIG | IEXTEN);
        tio.c_cflag |= CREAD | CLOCAL;
        tio.c_cc[VMIN] = 1;
        tio.c_cc[VTIME] = 0;
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
        EXPECT_EQ(tcsetattr(fd_, TCSANOW, &tio), 0);
    }
    ~Port() { close(); }

    int fd() const { return fd_; }

    void write(std::string_view bytes) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        EXPECT_EQ(n, static_cast<ssize_t>(bytes.size())) << std::strerror(errno);
    }
    // A record goes out in writes of at most 30 bytes.
    void sendRecord(std::string_view record) {
        for (std::size_t at = 0; at < record.size(); at += 30)
            write(record.substr(at, 30));
    }
    // A program that dies skips the TIOCNXCL before its close.
    void close(bool clearExclusive = true) {
        if (fd_ < 0)
            return;
        if (clearExclusive)
            ioctl(fd_, TIOCNXCL);
        ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

std::string dataRecord(unsigned address, int seed) {
    char text[64];
    unsigned sum = 16 + (address >> 8) + (address & 0xFF);
    std::string data;
    for (int i = 0; i < 16; ++i) {
        unsigned byte = static_cast<unsigned>(seed * 31 + i * 7) & 0xFF;
        std::snprintf(text, sizeof text, "%02X", byte);
        data += text;
        sum += byte;
    }
    std::snprintf(text, sizeof text, ":10%04X00%s%02X\n", address, data.c_str(),
                  (0x100 - (sum & 0xFF)) & 0xFF);
    return text;
}

std::vector<JsonObject> readTrace(const std::string& path) {
    std::vector<JsonObject> events;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        auto object = parseJsonObject(line);
        EXPECT_TRUE(object) << "not a JSON object: " << line;
        if (object)
            events.push_back(*object);
    }
    return events;
}

std::vector<std::string> kinds(const std::vector<JsonObject>& events) {
    std::vector<std::string> result;
    for (const JsonObject& e : events)
        result.push_back(e.at("kind").text);
    return result;
}

double num(const JsonObject& e, const char* key) {
    return e.at(key).number;
}

TEST(EndToEnd, DownloadAfterAStandAloneEraseOnAReopenedLink) {
    TempDir dir;
    const std::string trace = dir.file("trace.json");
    const std::string link = dir.file("com1");
    Emulator emulator(
        {"--erase-ms", "300", "--exit-after-idle", "700", "--trace", trace, "--link", link});
    ASSERT_FALSE(emulator.slave().empty()) << emulator.output();
    EXPECT_EQ(std::filesystem::read_symlink(link), emulator.slave());

    { // the stand-alone erase
        Port port(link, B9600);
        port.write(kNormalErase);
    }
    sleepMs(400);

    std::vector<std::string> records;
    for (int i = 0; i < 8; ++i)
        records.push_back(dataRecord(0x0100 + 16 * static_cast<unsigned>(i), i));
    records.push_back(kEndRecord);
    const int intervals[] = {50, 30, 30, 30, 30, 30, 30, 120};
    { // the download: a reopen of the same slave must find it alive
        Port port(link, B9600);
        port.write(kFirstTimeErase);
        sleepMs(320);
        for (std::size_t i = 0; i < records.size(); ++i) {
            port.sendRecord(records[i]);
            if (i < 8)
                sleepMs(intervals[i]);
        }
    }
    ASSERT_EQ(emulator.finish(), 0) << emulator.errors();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)))
        << "the link goes with the emulator";

    auto events = readTrace(trace);
    std::vector<std::string> expected = {"open", "erase", "close", "open", "erase"};
    expected.insert(expected.end(), records.size(), "record");
    expected.insert(expected.end(), {"close", "summary"});
    ASSERT_EQ(kinds(events), expected);
    EXPECT_EQ(events[1].at("mode").text, "normal");
    EXPECT_EQ(events[4].at("mode").text, "first-time");
    for (std::size_t i = 0; i < records.size(); ++i) {
        const JsonObject& e = events[5 + i];
        EXPECT_EQ(e.at("text").text, records[i]);
        EXPECT_EQ(num(e, "n"), static_cast<double>(i + 1));
        EXPECT_FALSE(e.at("overrun").boolean);
        EXPECT_TRUE(e.at("errors").items.empty());
        double atLeast = i == 0 ? 320 : intervals[i - 1];
        EXPECT_GE(num(e, "gap_ms"), atLeast - kWakeSlackMs) << "record " << i + 1;
    }
    // The 120 ms pause after the eighth record stands out, and the series spans its sum.
    for (std::size_t i = 6; i < 12; ++i)
        EXPECT_LT(num(events[i], "gap_ms"), num(events[13], "gap_ms")) << "record " << i - 4;
    EXPECT_GE(num(events[13], "t_ms") - num(events[5], "t_ms"), 350 - kWakeSlackMs);
    const JsonObject& summary = events.back();
    EXPECT_EQ(summary.at("end").text, "idle");
    EXPECT_EQ(num(summary, "records"), 9);
    EXPECT_EQ(num(summary, "erases"), 2);
    EXPECT_EQ(num(summary, "gap_count"), 8);
    EXPECT_GE(num(summary, "gap_max_ms"), 120 - kWakeSlackMs);
    EXPECT_GE(num(summary, "erase_wait_ms"), 320 - kWakeSlackMs);
    for (const char* zero :
         {"checksum_errors", "malformed", "overruns", "lost", "rejected", "garbage"})
        EXPECT_EQ(num(summary, zero), 0) << zero;
    EXPECT_EQ(num(summary, "image_bytes"), 8 * 16);
    EXPECT_THAT(emulator.output(), HasSubstr("record 9, 12 bytes: :00000001FF"));
    EXPECT_THAT(emulator.output(), HasSubstr("summary (ended by idle)"));
}

TEST(EndToEnd, SetBaudSwitchesTheRateAndTheOldRateIsRejected) {
    TempDir dir;
    const std::string trace = dir.file("trace.json");
    Emulator emulator({"--erase-ms", "100", "--exit-after-idle", "500", "--trace", trace});
    ASSERT_FALSE(emulator.slave().empty()) << emulator.output();

    { // the baud-rate save, at the rate in force before it
        Port port(emulator.slave(), B9600);
        port.write(kSetBaud);
        port.write(frame(3));
    }
    sleepMs(100);
    {
        Port port(emulator.slave(), B9600);
        port.write(kNormalErase);
    }
    sleepMs(50);
    {
        Port port(emulator.slave(), B19200);
        port.write(kNormalErase);
        sleepMs(150);
        port.sendRecord(kRecord1);
    }
    ASSERT_EQ(emulator.finish(), 0) << emulator.errors();

    auto events = readTrace(trace);
    ASSERT_EQ(kinds(events),
              (std::vector<std::string>{"open", "set-baud", "close", "open", "rejected", "close",
                                        "open", "erase", "record", "close", "summary"}));
    EXPECT_EQ(num(events[1], "index"), 3);
    EXPECT_EQ(num(events[1], "rate"), 19200);
    EXPECT_EQ(num(events[4], "line_rate"), 9600);
    EXPECT_EQ(num(events[4], "display_rate"), 19200);
    EXPECT_EQ(num(events[4], "length"), 8);
    EXPECT_EQ(events[8].at("text").text, kRecord1);
    EXPECT_EQ(num(events.back(), "display_rate"), 19200);
    EXPECT_EQ(num(events.back(), "rejected"), 8);
}

TEST(EndToEnd, RealEraseTimeLosesEarlyRecordsAndASignalKeepsTheLastBytes) {
    TempDir dir;
    const std::string trace = dir.file("trace.json");
    Emulator emulator({"--trace", trace});
    ASSERT_FALSE(emulator.slave().empty()) << emulator.output();

    Port port(emulator.slave(), B9600);
    port.write(kNormalErase);
    sleepMs(1500);
    port.sendRecord(kRecord1); // the display is still erasing
    sleepMs(600);
    port.sendRecord(kRecord2);
    sleepMs(30);
    port.sendRecord(kEndRecord);
    // Straight after the last write: the emulator must still read it before its summary.
    ASSERT_EQ(emulator.finish(SIGTERM), 0) << emulator.errors();
    port.close();

    auto events = readTrace(trace);
    // Lost bytes are reported per read, and the two writes may come in one or two.
    double lost = 0;
    while (events.size() > 3 && events[3].at("kind").text == "lost") {
        lost += num(events[3], "length");
        events.erase(events.begin() + 3);
    }
    ASSERT_EQ(kinds(events),
              (std::vector<std::string>{"open", "erase", "lost", "record", "record", "summary"}));
    EXPECT_EQ(num(events[2], "length") + lost, static_cast<double>(kRecord1.size()));
    EXPECT_EQ(events[3].at("text").text, kRecord2);
    EXPECT_EQ(events[4].at("text").text, kEndRecord);
    EXPECT_EQ(events.back().at("end").text, "signal");
    EXPECT_EQ(num(events.back(), "lost"), static_cast<double>(kRecord1.size()));
    EXPECT_THAT(emulator.output(), HasSubstr("summary (ended by signal)"));
}

TEST(EndToEnd, ExclusiveModeLeftByADeadProgramIsCleared) {
    TempDir dir;
    const std::string trace = dir.file("trace.json");
    Emulator emulator({"--exit-after-idle", "300", "--trace", trace});
    ASSERT_FALSE(emulator.slave().empty()) << emulator.output();

    Port dead(emulator.slave(), B9600);
    dead.close(false);
    sleepMs(50);
    // Root may open an exclusive tty anyway, so ask the flag itself.
    int fd = open(emulator.slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    int exclusive = 1;
    EXPECT_EQ(ioctl(fd, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    close(fd);
    ASSERT_EQ(emulator.finish(), 0) << emulator.errors();

    auto events = readTrace(trace);
    ASSERT_EQ(kinds(events),
              (std::vector<std::string>{"open", "close", "open", "close", "summary"}));
    EXPECT_TRUE(events[1].at("released_exclusive").boolean);
    EXPECT_FALSE(events[3].at("released_exclusive").boolean);
}

TEST(EndToEnd, RecordCountEndsTheRunAndTheImageHoldsTheData) {
    TempDir dir;
    const std::string image = dir.file("image.hex");
    Emulator emulator({"--erase-ms", "50", "--records", "2", "--image", image, "--quiet"});
    ASSERT_FALSE(emulator.slave().empty()) << emulator.output();

    Port port(emulator.slave(), B9600);
    port.write(kNormalErase);
    sleepMs(100);
    port.sendRecord(kRecord1);
    sleepMs(30);
    port.sendRecord(kRecord2);
    ASSERT_EQ(emulator.finish(), 0) << emulator.errors();

    std::ifstream file(image);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, kRecord1 + kRecord2 + kEndRecord);
    EXPECT_THAT(emulator.output(), HasSubstr("summary (ended by records)"));
    EXPECT_THAT(emulator.output(), testing::Not(HasSubstr("record 1,"))) << "--quiet";
}

TEST(EndToEnd, OnADeviceItFollowsTheDisplayRateAndEndsWhenTheLineHangsUp) {
    // A second pty stands in for a null-modem pair: we hold its master end.
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    TempDir dir;
    const std::string trace = dir.file("trace.json");
    Emulator emulator({"--device", ptsname(master), "--baud", "4800", "--trace", trace});
    ASSERT_EQ(emulator.slave(), ptsname(master)) << emulator.output();

    termios tio{};
    ASSERT_EQ(tcgetattr(master, &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), B4800) << "the emulator's end starts at the display's rate";
    auto send = [master](const std::string& bytes) {
        EXPECT_EQ(write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    };
    send(kSetBaud);
    send(frame(3));
    sleepMs(100);
    ASSERT_EQ(tcgetattr(master, &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), B19200);
    send(kRecord1);
    sleepMs(100);
    close(master);

    EXPECT_EQ(emulator.finish(), 1) << "a line that goes away is a failure";
    EXPECT_THAT(emulator.errors(), HasSubstr("the line was hung up"));
    auto events = readTrace(trace);
    ASSERT_EQ(kinds(events), (std::vector<std::string>{"set-baud", "record", "summary"}));
    EXPECT_EQ(events.back().at("end").text, "hangup");
    EXPECT_EQ(num(events.back(), "rejected"), 0) << "a real line's rate is not visible";
}

TEST(EndToEnd, ABadCommandLineExitsWithTwoAndSaysWhy) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    for (const Case& c :
         {Case{{"--baud", "9601"}, "--baud 9601"}, Case{{"--erase"}, "unknown option"},
          Case{{"--trace"}, "needs a value"}}) {
        Emulator emulator(c.args);
        EXPECT_EQ(emulator.finish(), 2);
        EXPECT_THAT(emulator.errors(), HasSubstr(c.message));
        EXPECT_THAT(emulator.output(), testing::Not(HasSubstr("listening")));
    }
    Emulator device({"--device", "/nonexistent/ttyUSB9"});
    EXPECT_EQ(device.finish(), 1);
    EXPECT_THAT(device.errors(), HasSubstr("cannot open the device: /nonexistent/ttyUSB9"));
}

} // namespace
