// Start-up of veltran-cli to its --list output, in folders of 1, 200 and 10,000
// command set files: from launch to the first line of the list, and to the exit,
// with the CPU time of each run; one more run under GNU time gives the peak memory. The port is
// /dev/null, which the start-up probe opens and closes.
//
//   veltran_bench_startup [--runs R]

#include "bench/Memory.h"
#include "bench/Stats.h"
#include "tests/support/Child.h"
#include "tests/support/CommandSetFixtures.h"
#include "tests/support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    int runs = 30;
    if (argc == 3 && std::string(argv[1]) == "--runs")
        runs = std::atoi(argv[2]);
    std::printf("machine: %s\n", bench::machine().c_str());
    std::printf("veltran-cli --list --port /dev/null, %d runs per folder; ms\n\n", runs);
    std::printf("%-8s %-22s %6s  %9s  %9s  %9s  %9s\n", "files", "figure", "count", "min", "median",
                "p99", "max");

    const std::string set = fixtures::join(fixtures::commandSetRecords(3));
    for (int files : {1, 200, 10'000}) {
        TempDir dir;
        for (int i = 0; i < files; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "SET_%05d.CSF", i);
            dir.write(name, set);
        }
        std::vector<double> firstLine;
        std::vector<double> exit;
        std::vector<double> cpu;
        for (int run = 0; run < runs; ++run) {
            const double start = bench::nowMs();
            Child cli(VELTRAN_CLI_EXE, {"--list", "--port", "/dev/null"}, dir.path());
            if (!cli.waitForOutput("\n", 60'000)) {
                std::fprintf(stderr, "startup: no list in a folder of %d files\n", files);
                return 1;
            }
            firstLine.push_back(bench::nowMs() - start);
            const ChildEnd end = cli.finish();
            exit.push_back(bench::nowMs() - start);
            cpu.push_back(end.cpuMs);
        }
        const long rss = bench::runUnderTime(VELTRAN_CLI_EXE, {"--list", "--port", "/dev/null"},
                                             dir.path(), {}, dir.path("time.txt"), 60'000)
                             .peakRssKiB;
        const std::string label = std::to_string(files);
        std::printf("%-8s %-22s %s\n", label.c_str(), "to the first line",
                    bench::describe(bench::spreadOf(firstLine)).c_str());
        std::printf("%-8s %-22s %s\n", label.c_str(), "to the exit",
                    bench::describe(bench::spreadOf(exit)).c_str());
        std::printf("%-8s %-22s %s\n", label.c_str(), "CPU user+system",
                    bench::describe(bench::spreadOf(cpu)).c_str());
        std::printf("%-8s %-22s %6d  %9ld  (KiB, GNU time)\n", label.c_str(), "peak RSS", 1, rss);
    }
    return 0;
}
