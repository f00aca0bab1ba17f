// Online capture of a full run of single-value dimensions from the simulated
// host, against a bare loop that reads the same members from the same objects.
// Also at half the count: doubling the count must at most double the time.

#include <benchmark/benchmark.h>

#include <ctime>
#include <optional>
#include <string>

#include "capture/online_capture.h"
#include "host/sim/sim_host.h"
#include "settings/settings_backend.h"
#include "bench_ports.h"

namespace {

using namespace kelmar;
using bench::CountingWindow;
using bench::SilentMessages;

constexpr int kFullRun = 32767;

host::sim::HostModel hostWith(int dimensions) {
    host::sim::PartProgramModel program;
    program.name = std::string("BENCH");
    program.fullName = std::string("C:\\Programs\\BENCH.PRG");
    for (int i = 0; i < dimensions; ++i) {
        host::sim::CommandModel c;
        c.type = 1100 + i % 5;
        c.id = "DIM" + std::to_string(i);
        host::sim::DimensionModel d;
        d.id = c.id.value;
        d.axisText = std::string("D");
        d.nominal = 10.0 + i * 0.001;
        d.measured = 10.004 + i * 0.001;
        d.plusTol = 0.05;
        d.minusTol = 0.05;
        d.deviation = 0.004;
        d.unitCode = 1;
        d.feature1 = std::string("CIR") + std::to_string(i);
        c.dimension = host::sim::Member<host::sim::DimensionModel>(std::move(d));
        program.commands.value.emplace_back(std::move(c));
    }
    host::sim::HostModel model;
    model.activePartProgram = host::sim::Member<std::optional<host::sim::PartProgramModel>>(std::move(program));
    return model;
}

struct Bench {
    explicit Bench(int dimensions) : host(hostWith(dimensions), {}) {}

    host::sim::SimPartProgram& program() { return *host.application()->partProgram(); }

    host::sim::SimHostLocator host;
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    settings::LanguageTexts texts;
    SilentMessages messages;
    platform::CommandLineArgs commandLine;
    CountingWindow window;
    std::string attached = "C:\\Programs\\BENCH.PRG";
    capture::RunData run;
    capture::CaptureContext context{run, store, texts, messages, commandLine, host, window, attached, {}, {}};
};

// Every member capture reads for a single-value dimension, and nothing else.
// Kept out of line so that, like capture, it calls through the host interface:
// inlined here, the compiler may bind the calls to the simulated host directly.
[[gnu::noinline]] double readMembers(const host::PartProgram& program, const host::Command& command) {
    double sum = static_cast<double>(program.FullName().size());
    sum += command.IsStatistics() + command.Type() + command.IsDimension() + command.IsMarked();
    const auto d = command.DimensionData();
    sum += d->IsLocationAxis() + d->IsPositionAxis() + d->Mode() + d->UnitCode();
    sum += d->Id().size() + d->AxisText().size() + d->Feature1().size() + d->Feature2().size() + d->Feature3().size();
    sum += d->Measured() + d->Nominal() + d->PlusTol() + d->MinusTol() + d->Deviation() + d->OutTol();
    return sum;
}

// CPU time of one call, so that other work on a shared machine stays out of the figures.
template <class Work>
double cpuSeconds(Work&& work) {
    const std::clock_t begin = std::clock();
    work();
    return static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
}

double bareReads(Bench& bench) {
    auto& program = bench.program();
    return cpuSeconds([&] {
        for (const auto& command : program.commandList()) benchmark::DoNotOptimize(readMembers(program, *command));
    });
}

// The least any capture must do besides the reads: the same reads, each stored
// in a fresh row of the table, the numbers as one short text each.
double readsIntoRows(Bench& bench) {
    auto& program = bench.program();
    auto& table = bench.run.CharacteristicTable;
    table.assign(1, {});
    return cpuSeconds([&] {
        for (const auto& command : program.commandList()) {
            capture::Characteristic& row = table.emplace_back();
            benchmark::DoNotOptimize(program.FullName());
            row.GroupNumber = static_cast<std::int16_t>(command->IsStatistics() + command->Type() +
                                                        command->IsDimension() + command->IsMarked());
            const auto d = command->DimensionData();
            row.MemberOfGroup = static_cast<std::int16_t>(d->IsLocationAxis() + d->IsPositionAxis() + d->Mode() +
                                                          d->UnitCode());
            row.Name = d->Id();
            row.Unit = d->AxisText();
            row.Feat1 = d->Feature1();
            row.Feat2 = d->Feature2();
            row.Feat3 = d->Feature3();
            for (std::string* text : {&row.Meas, &row.Nom, &row.UTol, &row.LTol, &row.USL, &row.LSL, &row.Dev,
                                      &row.OOT})
                *text = d->Measured() + d->Nominal() + d->PlusTol() + d->MinusTol() + d->Deviation() + d->OutTol() > 0
                            ? "1.00000"
                            : "0.00000";
            benchmark::ClobberMemory();
        }
    });
}

double capture(Bench& bench) {
    bench.run.resetForOnlineStart();
    bench.window.clearList();
    auto& program = bench.program();
    const double seconds = cpuSeconds([&] {
        for (const auto& command : program.commandList()) capture::OnObjectExecuted(bench.context, program, *command);
    });
    if (bench.run.CharacteristicCount() != static_cast<int>(program.commandList().size())) return -1;
    return seconds;
}

// Each iteration captures a full run (the timed part), reads the same members bare, and
// captures a run of half the size; the counters give the figures per characteristic.
void OnlineCapture(benchmark::State& state) {
    Bench full(kFullRun), half(kFullRun / 2);
    double captureTime = 0, bareTime = 0, halfTime = 0;
    for (auto _ : state) {
        const double seconds = capture(full);
        const double halfSeconds = capture(half);
        if (seconds < 0 || halfSeconds < 0) return state.SkipWithError("not every dimension was captured");
        captureTime += seconds;
        halfTime += halfSeconds;
        bareTime += bareReads(full);
        state.SetIterationTime(seconds);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["ns_per_char"] = captureTime / runs / kFullRun * 1e9;
    state.counters["bare_ns_per_char"] = bareTime / runs / kFullRun * 1e9;
    state.counters["ratio_to_bare"] = captureTime / bareTime;
    state.counters["full_over_half"] = captureTime / halfTime;
}

// The floor under the ratio: what storing the reads in rows costs by itself.
void ReadsIntoRows(benchmark::State& state) {
    Bench full(kFullRun);
    double rowsTime = 0, bareTime = 0;
    for (auto _ : state) {
        const double seconds = readsIntoRows(full);
        rowsTime += seconds;
        bareTime += bareReads(full);
        state.SetIterationTime(seconds);
    }
    state.counters["rows_ratio_to_bare"] = rowsTime / bareTime;
}

}  // namespace

// full_over_half near 2 shows linear growth; ratio_to_bare compares with the host reads alone.
BENCHMARK(OnlineCapture)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ReadsIntoRows)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_MAIN();
