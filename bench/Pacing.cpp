// Pacing fidelity and cost of a full download: veltran-cli sends a 1,200-record
// command set to the emulator, with every write() stamped inside the program.
// Each gap is set against its nominal value, on the sender's side (the stamps)
// and on the display's (the emulator's trace, stamped when it wakes for the
// bytes); then the whole transfer against its nominal length, and the program's
// CPU time and peak memory.
//
//   veltran_bench_pacing [--records N] [--data-bytes B] [--runs R]
//
// The R runs are stamped; one more run without the stamps, under GNU time, gives
// the cost alone.

#include "bench/Memory.h"
#include "bench/Stats.h"
#include "tests/support/Child.h"
#include "tests/support/CommandSetFixtures.h"
#include "tests/support/TempDir.h"
#include "tests/support/TraceEvents.h"

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kEraseWaitMs = 2'020; // 100 steps of 20 ms, then 20 ms more

// The nominal gap before record k (k >= 1).
double nominalGapMs(std::size_t k) {
    return k == 1 ? 50 : k % 8 == 0 ? 120 : 30;
}

const char* gapClass(std::size_t k) {
    return k == 1 ? "first tick (50 ms)" : k % 8 == 0 ? "every 8th (120 ms)" : "others (30 ms)";
}

// One unit on the line: the erase or a record, from its first byte to its last.
struct Unit {
    double start = 0;
    double end = 0;
};

// The writes of the download grouped into units: a record begins with ':'.
std::vector<Unit> unitsFromStamps(const std::string& path) {
    std::vector<Unit> units;
    std::ifstream file(path);
    int fd = 0;
    double start = 0;
    double end = 0;
    long result = 0;
    unsigned first = 0;
    while (file >> fd >> start >> end >> result >> first) {
        // stdout and stderr are the program's report, not the line.
        if (fd <= 2 || result <= 0)
            continue;
        if (units.empty() || first == ':')
            units.push_back({start, end});
        else
            units.back().end = end;
    }
    return units;
}

std::vector<Unit> unitsFromTrace(const std::vector<TraceEvent>& events) {
    std::vector<Unit> units;
    for (const TraceEvent& e : events) {
        if (e.kind() == "erase" || e.kind() == "record")
            units.push_back({e.at("t_ms"), e.at("end_ms")});
    }
    return units;
}

struct SideFigures {
    std::map<std::string, std::vector<double>> excess; // by gap class
    double measuredMs = 0;
    double nominalMs = 0;
};

// Units: the erase, then the records. The nominal length counts the units' own
// spans (the writes) as they were, and every gap at its nominal value.
SideFigures figuresOf(const std::vector<Unit>& units) {
    SideFigures f;
    if (units.size() < 2)
        return f;
    double spans = 0;
    for (const Unit& u : units)
        spans += u.end - u.start;
    f.excess["erase wait (2,020 ms)"].push_back(units[1].start - units[0].end - kEraseWaitMs);
    double gaps = kEraseWaitMs;
    for (std::size_t k = 1; k + 1 < units.size(); ++k) {
        const double gap = units[k + 1].start - units[k].end;
        f.excess[gapClass(k)].push_back(gap - nominalGapMs(k));
        f.excess["all ticks"].push_back(gap - nominalGapMs(k));
        gaps += nominalGapMs(k);
    }
    f.measuredMs = units.back().end - units.front().start;
    f.nominalMs = spans + gaps;
    return f;
}

void print(const char* side, const SideFigures& f) {
    std::printf("\n%s: excess over the nominal gap, ms\n", side);
    std::printf("  %-22s %6s  %9s  %9s  %9s  %9s\n", "gap", "count", "min", "median", "p99", "max");
    for (const char* name : {"erase wait (2,020 ms)", "first tick (50 ms)", "others (30 ms)",
                             "every 8th (120 ms)", "all ticks"}) {
        if (f.excess.count(name))
            std::printf("  %-22s %s\n", name,
                        bench::describe(bench::spreadOf(f.excess.at(name)), 3).c_str());
    }
    std::printf("  total %.1f ms measured / %.1f ms nominal = %.4f (%+.3f %%)\n", f.measuredMs,
                f.nominalMs, f.measuredMs / f.nominalMs, (f.measuredMs / f.nominalMs - 1) * 100);
}

struct Options {
    int records = 1'200;
    int dataBytes = 16;
    int runs = 1;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (name == "--records")
            o.records = value;
        else if (name == "--data-bytes")
            o.dataBytes = value;
        else if (name == "--runs")
            o.runs = value;
    }
    return o;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    std::printf("machine: %s\n", bench::machine().c_str());
    std::printf("download of %d records of %d data bytes: %d stamped run(s), 1 plain\n",
                options.records, options.dataBytes, options.runs);

    SideFigures sender;
    SideFigures display;
    for (int run = 0; run <= options.runs; ++run) {
        const bool stamped = run < options.runs;
        TempDir dir;
        std::filesystem::create_directories(dir.path("sets"));
        std::filesystem::create_directories(dir.path("config/veltran/devices"));
        dir.write("sets/KTX_DEMO.CSF",
                  fixtures::join(fixtures::commandSetRecords(options.records, options.dataBytes)));

        Child emulator(VELTRAN_DISPLAY_EXE, {"--quiet", "--trace", dir.path("trace.json")});
        const std::string listening = "veltran-display: listening on ";
        if (!emulator.waitForOutput("\n", 10'000) || emulator.outSoFar().rfind(listening, 0) != 0) {
            std::fprintf(stderr, "pacing: the emulator did not start\n");
            return 1;
        }
        const std::string& out = emulator.outSoFar();
        std::filesystem::create_symlink(
            out.substr(listening.size(), out.find('\n') - listening.size()),
            dir.path("config/veltran/devices/com1"));

        std::map<std::string, std::string> environment{{"XDG_CONFIG_HOME", dir.path("config")}};
        if (stamped) {
            environment["LD_PRELOAD"] = VELTRAN_WRITE_STAMPS_SO;
            environment["VELTRAN_WRITE_STAMPS"] = dir.path("stamps.txt");
        }
        const bench::MeasuredRun measured =
            stamped ? bench::MeasuredRun{Child(VELTRAN_CLI_EXE, {}, dir.path("sets"), environment)
                                             .finish(600'000)}
                    : bench::runUnderTime(VELTRAN_CLI_EXE, {}, dir.path("sets"), environment,
                                          dir.path("time.txt"), 600'000);
        const ChildEnd& end = measured.end;
        emulator.signal(SIGINT);
        emulator.finish();
        if (end.status != 0) {
            std::fprintf(stderr, "pacing: the download failed (%d): %s\n", end.status,
                         end.errors.c_str());
            return 1;
        }

        std::printf("\n%s run: %.1f s from launch to exit, CPU %.1f ms user+system (%.3f %% of "
                    "one core)",
                    stamped ? "stamped" : "plain", end.elapsedMs / 1e3, end.cpuMs,
                    end.cpuMs / end.elapsedMs * 100);
        if (!stamped)
            std::printf(", peak RSS %ld KiB", measured.peakRssKiB);
        std::printf("\n");
        if (!stamped)
            break;
        const SideFigures s = figuresOf(unitsFromStamps(dir.path("stamps.txt")));
        const SideFigures d = figuresOf(unitsFromTrace(readTrace(dir.path("trace.json"))));
        for (const auto& [name, values] : s.excess)
            sender.excess[name].insert(sender.excess[name].end(), values.begin(), values.end());
        for (const auto& [name, values] : d.excess)
            display.excess[name].insert(display.excess[name].end(), values.begin(), values.end());
        sender.measuredMs += s.measuredMs;
        sender.nominalMs += s.nominalMs;
        display.measuredMs += d.measuredMs;
        display.nominalMs += d.nominalMs;
    }
    print("sender (write() stamps in the program)", sender);
    print("display (emulator trace, stamped on wake)", display);
    return 0;
}
