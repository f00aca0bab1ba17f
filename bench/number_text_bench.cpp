// Formatting the values of a full run (32767 Characteristics, eight texts
// each) against plain snprintf of the same doubles.

#include "platform/number_text.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kCount = 32767 * 8;

std::vector<double> values() {
    std::vector<double> v(kCount);
    for (int i = 0; i < kCount; ++i) v[i] = 10.0 + i * 0.00137 - (i % 7) * 3.1;
    return v;
}

void BaselineSnprintf(benchmark::State& state) {
    auto v = values();
    char buffer[64];
    for (auto _ : state)
        for (double d : v) benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, "%.5f", d));
}

void FormatFixed5(benchmark::State& state) {
    auto v = values();
    for (auto _ : state)
        for (double d : v) benchmark::DoNotOptimize(kelmar::platform::formatFixed5(d));
}

void LimitText(benchmark::State& state) {
    auto v = values();
    std::vector<std::string> texts;
    for (double d : v) texts.push_back(kelmar::platform::formatFixed5(d));
    for (auto _ : state)
        for (size_t i = 0; i + 1 < texts.size(); i += 2)
            benchmark::DoNotOptimize(kelmar::platform::limitText(texts[i], texts[i + 1]));
}

}  // namespace

BENCHMARK(BaselineSnprintf)->Unit(benchmark::kMillisecond);
BENCHMARK(FormatFixed5)->Unit(benchmark::kMillisecond);
BENCHMARK(LimitText)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
