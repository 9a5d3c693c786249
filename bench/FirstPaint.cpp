// Start-up of the desktop program to the first paint of its windows, on a virtual
// X display: from launch to Port Setup's first frame on the X server, and from
// the operator's Enter on Port Setup to the main window's first frame. Together
// they are the start-up to the main window's first paint, less the operator's
// time. The stamps come from inside the program (libveltran_paint_stamps.so);
// COM1 leads to a pty that the benchmark holds, which the start-up probe opens.
//
//   veltran_bench_first_paint [--runs R]        needs Xvfb and xdotool

#include "bench/Memory.h"
#include "bench/Stats.h"
#include "tests/support/Child.h"
#include "tests/support/CommandSetFixtures.h"
#include "tests/support/TempDir.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <pty.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kWaitMs = 20'000;

std::string onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = dir + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

struct Stamp {
    double ms;
    unsigned long drawable;
    std::string call;
};

std::vector<Stamp> readStamps(const std::string& path) {
    std::vector<Stamp> stamps;
    std::ifstream file(path);
    Stamp s;
    while (file >> s.ms >> s.drawable >> s.call)
        stamps.push_back(s);
    return stamps;
}

// Waits for the first stamp after `since` that the test accepts.
template <typename Accept>
std::optional<Stamp> waitForStamp(const std::string& path, double since, Accept accept) {
    const double deadline = bench::nowMs() + kWaitMs;
    while (bench::nowMs() < deadline) {
        for (const Stamp& s : readStamps(path)) {
            if (s.ms >= since && accept(s))
                return s;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::nullopt;
}

bool isPut(const Stamp& s) {
    return s.call != "key_press";
}

} // namespace

int main(int argc, char** argv) {
    int runs = 10;
    if (argc == 3 && std::string(argv[1]) == "--runs")
        runs = std::atoi(argv[2]);
    const std::string xvfb = onPath("Xvfb");
    const std::string xdotool = onPath("xdotool");
    if (xvfb.empty() || xdotool.empty()) {
        std::fprintf(stderr,
                     "first paint: needs Xvfb and xdotool (scripts/bootstrap installs them)\n");
        return 1;
    }
    std::printf("machine: %s\n", bench::machine().c_str());

    TempDir dir;
    std::filesystem::create_directories(dir.path("sets"));
    std::filesystem::create_directories(dir.path("config/veltran/devices"));
    std::filesystem::create_directories(dir.path("runtime"));
    chmod(dir.path("runtime").c_str(), 0700);
    for (const char* name : {"KTX_DEMO.CSF", "SHOP_V2.CSF", "KIOSK.CSF"})
        dir.write(std::string("sets/") + name, fixtures::join(fixtures::commandSetRecords(100)));
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return 1;
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    std::filesystem::create_symlink(ttyname(slave), dir.path("config/veltran/devices/com1"));

    Child server(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!server.waitForOutput("\n", kWaitMs)) {
        std::fprintf(stderr, "first paint: Xvfb did not start\n");
        return 1;
    }
    const std::string display = ":" + server.outSoFar().substr(0, server.outSoFar().find('\n'));
    const std::map<std::string, std::string> x{{"DISPLAY", display}};

    std::vector<double> portSetup;
    std::vector<double> mainWindow;
    std::vector<double> total;
    std::vector<double> rss;
    for (int run = 0; run < runs; ++run) {
        const std::string stamps = dir.path("stamps-" + std::to_string(run) + ".txt");
        const double launch = bench::nowMs();
        Child app(VELTRAN_EXE, {}, dir.path("sets"),
                  {{"DISPLAY", display},
                   {"QT_QPA_PLATFORM", "xcb"},
                   {"XDG_CONFIG_HOME", dir.path("config")},
                   {"XDG_RUNTIME_DIR", dir.path("runtime")},
                   {"LD_PRELOAD", VELTRAN_PAINT_STAMPS_SO},
                   {"VELTRAN_PAINT_STAMPS", stamps}});
        const auto setup = waitForStamp(stamps, launch, isPut);
        if (!setup) {
            std::fprintf(stderr, "first paint: Port Setup never painted\n");
            return 1;
        }
        Child(xdotool, {"windowfocus", "--sync", std::to_string(setup->drawable)}, "", x).finish();
        Child(xdotool, {"key", "Return"}, "", x).finish();
        const auto key =
            waitForStamp(stamps, setup->ms, [](const Stamp& s) { return s.call == "key_press"; });
        const auto main = key ? waitForStamp(stamps, key->ms,
                                             [&](const Stamp& s) {
                                                 return isPut(s) && s.drawable != setup->drawable;
                                             })
                              : std::nullopt;
        if (!main) {
            std::fprintf(stderr, "first paint: the main window never painted\n");
            return 1;
        }
        rss.push_back(static_cast<double>(bench::peakRssSoFarKiB(app.pid())));
        app.signal(SIGKILL);
        app.finish();
        portSetup.push_back(setup->ms - launch);
        mainWindow.push_back(main->ms - key->ms);
        total.push_back(setup->ms - launch + main->ms - key->ms);
    }
    close(master);
    close(slave);

    std::printf(
        "veltran under Xvfb (QT_QPA_PLATFORM=xcb), %d runs; ms, and KiB for the RSS (VmHWM)\n\n",
        runs);
    std::printf("%-38s %6s  %9s  %9s  %9s  %9s\n", "figure", "count", "min", "median", "p99",
                "max");
    std::printf("%-38s %s\n", "launch to Port Setup painted",
                bench::describe(bench::spreadOf(portSetup)).c_str());
    std::printf("%-38s %s\n", "Enter on Port Setup to main painted",
                bench::describe(bench::spreadOf(mainWindow)).c_str());
    std::printf("%-38s %s\n", "start-up to main painted, less Enter",
                bench::describe(bench::spreadOf(total)).c_str());
    std::printf("%-38s %s\n", "peak RSS at the main window",
                bench::describe(bench::spreadOf(rss), 0).c_str());
    return 0;
}
