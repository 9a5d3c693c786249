#pragma once
// Figures for the benchmark tables: a sample's spread, and the clock both the
// benchmarks and the stamps of their shims read.

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

struct Spread {
    std::size_t count = 0;
    double min = 0;
    double median = 0;
    double p99 = 0;
    double max = 0;
};

// Nearest-rank percentiles; an empty sample gives zeros.
Spread spreadOf(std::vector<double> values);
std::string describe(const Spread& s, int decimals = 2);

// CLOCK_MONOTONIC in milliseconds: the same clock in every process of a run.
double nowMs();

// The machine the figures came from: cores, processor model, kernel, and the
// load average over the last minute when the run began.
std::string machine();

} // namespace bench
