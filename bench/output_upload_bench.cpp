// Distributing the files of 32767 Characteristics from TempData against plain
// file copies of the same files to the same destinations, and against the same
// copies made durably (new file, flushed, renamed, each folder flushed once).

#include "output_bench_run.h"
#include "qdas/qdas_writer.h"
#include "qdas/upload.h"
#include "qdas/waiting_files.h"

namespace {

namespace fs = std::filesystem;
using kelmar::bench::OutputRun;

// DFQ into PartOK and FirstParts; DFD + DFX into the output folder and the monitoring folder.
struct Case {
    bool dfd;
    std::vector<std::string> files;
    std::vector<std::string> destinations;
};

const Case kDfq{false, {"BRACKET.dfq"}, {"out/PartOK", "out/FirstParts"}};
const Case kDfdDfx{true, {"BRACKET.dfd", "BRACKET.dfx"}, {"out"}};

// Writes the files once and keeps a copy, so each iteration can put them back into TempData.
struct Staged {
    OutputRun run;
    fs::path stash;
    explicit Staged(const Case& c) : run(c.dfd) {
        run.set(kelmar::settings::names::UseFolders, c.dfd ? "0" : "1");
        run.set(kelmar::settings::names::MONITOR, c.dfd ? "1" : "0");
        auto context = run.context();
        kelmar::qdas::WriteOutputFiles(context);
        stash = run.home / "stash";
        fs::create_directories(stash);
        for (const auto& f : c.files) fs::copy_file(run.tempData(f), stash / f);
    }
    void reset(const Case& c) {
        for (const auto& f : c.files) fs::copy_file(stash / f, run.tempData(f), fs::copy_options::overwrite_existing);
        for (const auto& d : c.destinations)
            for (const auto& f : c.files) fs::remove(run.home / d / f);
        fs::remove_all(run.home / "monitor");
        fs::create_directories(run.home / "monitor");
    }
};

void distribute(benchmark::State& state, const Case& c) {
    Staged staged(c);
    auto context = staged.run.context();
    for (auto _ : state) {
        state.PauseTiming();
        staged.reset(c);
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            kelmar::qdas::fctUploadFiles(context, staged.run.out.string(), true, false, c.dfd, "BRACKET"));
    }
}

// The same copies, plain; monitoring adds one more copy of each file.
void copyPlain(benchmark::State& state, const Case& c) {
    Staged staged(c);
    std::vector<std::string> destinations = c.destinations;
    if (c.dfd) destinations.push_back("monitor");
    for (auto _ : state) {
        state.PauseTiming();
        staged.reset(c);
        state.ResumeTiming();
        for (const auto& d : destinations)
            for (const auto& f : c.files) fs::copy_file(staged.run.tempData(f), staged.run.home / d / f);
    }
}

void copyDurably(benchmark::State& state, const Case& c) {
    Staged staged(c);
    std::vector<std::string> destinations = c.destinations;
    if (c.dfd) destinations.push_back("monitor");
    auto& files = *staged.run.files;
    for (auto _ : state) {
        state.PauseTiming();
        staged.reset(c);
        state.ResumeTiming();
        for (const auto& d : destinations) {
            for (const auto& f : c.files) {
                const fs::path target = staged.run.home / d / f;
                files.copyToNewFile(staged.run.tempData(f).string(), target.string() + ".new");
                files.renameFile(target.string() + ".new", target.string());
            }
            files.flushFolder((staged.run.home / d).string());
        }
    }
}

// What a delivery adds when nothing waits: the look into TempData and the waiting folder.
void RedeliveryNothingWaits(benchmark::State& state) {
    Staged staged(kDfq);
    auto context = staged.run.context();
    context.waitingFolder = (staged.run.home / "waiting").string();
    fs::create_directories(context.waitingFolder);
    fs::remove(staged.run.tempData("BRACKET.dfq"));
    for (auto _ : state) benchmark::DoNotOptimize(kelmar::qdas::deliverWaitingSets(context, true));
}

void UploadDfq(benchmark::State& state) { distribute(state, kDfq); }
void DurableDfq(benchmark::State& state) { copyDurably(state, kDfq); }
void DurableDfdDfx(benchmark::State& state) { copyDurably(state, kDfdDfx); }
void BaselineDfq(benchmark::State& state) { copyPlain(state, kDfq); }
void UploadDfdDfx(benchmark::State& state) { distribute(state, kDfdDfx); }
void BaselineDfdDfx(benchmark::State& state) { copyPlain(state, kDfdDfx); }

}  // namespace

BENCHMARK(BaselineDfq)->Unit(benchmark::kMillisecond);
BENCHMARK(DurableDfq)->Unit(benchmark::kMillisecond);
BENCHMARK(UploadDfq)->Unit(benchmark::kMillisecond);
BENCHMARK(BaselineDfdDfx)->Unit(benchmark::kMillisecond);
BENCHMARK(DurableDfdDfx)->Unit(benchmark::kMillisecond);
BENCHMARK(UploadDfdDfx)->Unit(benchmark::kMillisecond);
BENCHMARK(RedeliveryNothingWaits)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return kelmar::bench::runWithRatios(argc, argv,
                                        {{"UploadDfq", "BaselineDfq"},
                                         {"UploadDfq", "DurableDfq"},
                                         {"UploadDfdDfx", "BaselineDfdDfx"},
                                         {"UploadDfdDfx", "DurableDfdDfx"},
                                         {"RedeliveryNothingWaits", "UploadDfq"}});
}
