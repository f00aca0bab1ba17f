// Writing the Q-DAS files of 32767 Characteristics into TempData, DFQ and
// DFD + DFX, against one buffered write of the same bytes and against the same
// bytes written durably (new file, flushed, renamed, folder flushed).

#include "output_bench_run.h"
#include "qdas/qdas_writer.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using kelmar::bench::OutputRun;

// Each run writes under the same name again: a file left from the last one would
// be a waiting file, and the next would go beside it.
void writeRepeatedly(benchmark::State& state, bool dfd) {
    OutputRun run(dfd);
    auto context = run.context();
    for (auto _ : state) {
        benchmark::DoNotOptimize(kelmar::qdas::WriteOutputFiles(context));
        state.PauseTiming();
        for (const char* name : {"BRACKET.dfq", "BRACKET.dfd", "BRACKET.dfx"})
            std::filesystem::remove(run.tempData(name));
        state.ResumeTiming();
    }
}

void WriteDfq(benchmark::State& state) { writeRepeatedly(state, false); }

// What the writer makes of the run, written once, so the baselines repeat the same bytes.
std::vector<std::string> writtenBytes(OutputRun& run, std::initializer_list<const char*> names) {
    auto context = run.context();
    kelmar::qdas::WriteOutputFiles(context);
    std::vector<std::string> bytes;
    for (const char* name : names) bytes.push_back(kelmar::bench::readWhole(run.tempData(name)));
    return bytes;
}

void BaselineDfq(benchmark::State& state) {
    OutputRun run(false);
    const std::string bytes = writtenBytes(run, {"BRACKET.dfq"})[0];
    for (auto _ : state) kelmar::bench::writeWhole(run.tempData("BRACKET.dfq"), bytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void DurableDfq(benchmark::State& state) {
    OutputRun run(false);
    const std::string bytes = writtenBytes(run, {"BRACKET.dfq"})[0];
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(run.tempData("BRACKET.dfq"));
        state.ResumeTiming();
        kelmar::bench::writeDurably(*run.files, run.tempData("BRACKET.dfq"), bytes);
    }
}

void WriteDfdDfx(benchmark::State& state) { writeRepeatedly(state, true); }

void DurableDfdDfx(benchmark::State& state) {
    OutputRun run(true);
    const auto written = writtenBytes(run, {"BRACKET.dfd", "BRACKET.dfx"});
    const std::string& description = written[0];
    const std::string& values = written[1];
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* name : {"BRACKET.dfd", "BRACKET.dfx"}) std::filesystem::remove(run.tempData(name));
        state.ResumeTiming();
        kelmar::bench::writeDurably(*run.files, run.tempData("BRACKET.dfd"), description);
        kelmar::bench::writeDurably(*run.files, run.tempData("BRACKET.dfx"), values);
    }
}

void BaselineDfdDfx(benchmark::State& state) {
    OutputRun run(true);
    const auto written = writtenBytes(run, {"BRACKET.dfd", "BRACKET.dfx"});
    const std::string& description = written[0];
    const std::string& values = written[1];
    for (auto _ : state) {
        kelmar::bench::writeWhole(run.tempData("BRACKET.dfd"), description);
        kelmar::bench::writeWhole(run.tempData("BRACKET.dfx"), values);
    }
}

}  // namespace

BENCHMARK(BaselineDfq)->Unit(benchmark::kMillisecond);
BENCHMARK(DurableDfq)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteDfq)->Unit(benchmark::kMillisecond);
BENCHMARK(BaselineDfdDfx)->Unit(benchmark::kMillisecond);
BENCHMARK(DurableDfdDfx)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteDfdDfx)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return kelmar::bench::runWithRatios(argc, argv,
                                        {{"WriteDfq", "BaselineDfq"},
                                         {"WriteDfq", "DurableDfq"},
                                         {"WriteDfdDfx", "BaselineDfdDfx"},
                                         {"WriteDfdDfx", "DurableDfdDfx"}});
}
