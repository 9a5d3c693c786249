#include "bench/Stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sys/utsname.h>
#include <thread>

namespace bench {

Spread spreadOf(std::vector<double> values) {
    Spread s;
    s.count = values.size();
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    auto rank = [&](double p) {
        const auto at = static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size())));
        return values[std::clamp<std::size_t>(at, 1, values.size()) - 1];
    };
    s.min = values.front();
    s.median = rank(0.5);
    s.p99 = rank(0.99);
    s.max = values.back();
    return s;
}

std::string describe(const Spread& s, int decimals) {
    char text[160];
    std::snprintf(text, sizeof text, "%6zu  %9.*f  %9.*f  %9.*f  %9.*f", s.count, decimals, s.min,
                  decimals, s.median, decimals, s.p99, decimals, s.max);
    return text;
}

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

std::string machine() {
    std::string model = "unknown processor";
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.rfind("model name", 0) == 0) {
            model = line.substr(line.find(':') + 2);
            break;
        }
    }
    utsname name{};
    uname(&name);
    std::string load;
    std::getline(std::ifstream("/proc/loadavg"), load);
    return std::to_string(std::thread::hardware_concurrency()) + " cores, " + model + ", " +
           name.sysname + " " + name.release + "; load average " + load.substr(0, load.find(' '));
}

} // namespace bench
