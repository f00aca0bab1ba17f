// Reading a 100 000-line catalog with ReadCatalog against a bare loop that
// reads the same file and walks its lines. Prints the ratio at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "platform/file_system.h"
#include "qdas/catalog_reader.h"
#include "settings/setting_names.h"
#include "settings/settings_backend.h"
#include "settings/settings_store.h"

namespace {

constexpr int kLines = 100000;

class SilentMessages final : public kelmar::platform::Messages {
public:
    void show(kelmar::platform::MessageKind, const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

// A catalog of the usual mix: choice pairs, event groups and events, parameters with values.
std::string catalogText() {
    static const char* const kBlock[] = {
        "K4062/%d Machining centre MC-%d",
        "K4063/%d Hall 2 Milling",
        "K4072/%d Bore gage %d",
        "K4073/%d MG-%d",
        "K4220/%d Event group %d",
        "K4221/%d %d",
        "K4222/%d Tool change %d",
        "K4223/%d insert replaced",
        "K4240/%d Parameter group %d",
        "K4241/%d %d",
        "K4242/%d Spindle speed %d",
        "K4243/%d rpm",
        "K4244/%d turning",
        "K4249/%d %d",
        "K4245/%d %d",
        "K4246/%d finishing",
        "// comment %d %d",
        "K4092/%d Operator %d",
        "K4093/%d Shift A",
        "K1001/%d not a catalog key %d",
    };
    constexpr int kBlockLines = sizeof kBlock / sizeof kBlock[0];
    std::string text;
    char line[96];
    for (int i = 0; i < kLines; ++i) {
        int number = (i / kBlockLines) % 32767 + 1;
        std::snprintf(line, sizeof line, kBlock[i % kBlockLines], number, number);
        text.append(line).append("\r\n");
    }
    return text;
}

struct CatalogFile {
    std::filesystem::path path;
    CatalogFile() {
        std::string name = "kelmar_catalog_bench_" + std::to_string(std::random_device{}()) + ".dfd";
        path = std::filesystem::temp_directory_path() / name;
        kelmar::platform::makeDiskFileSystem()->writeFile(path.string(), catalogText());
    }
    ~CatalogFile() { std::filesystem::remove(path); }
};

const CatalogFile& catalogFile() {
    static const CatalogFile file;
    return file;
}

void BaselineLineLoop(benchmark::State& state) {
    auto files = kelmar::platform::makeDiskFileSystem();
    const std::string path = catalogFile().path.string();
    for (auto _ : state) {
        auto content = files->readFile(path);
        size_t bytes = 0;
        for (const std::string& line : kelmar::platform::splitLines(*content)) bytes += line.size();
        benchmark::DoNotOptimize(bytes);
    }
}

void ReadCatalog(benchmark::State& state) {
    auto files = kelmar::platform::makeDiskFileSystem();
    SilentMessages messages;
    const kelmar::settings::LanguageTexts texts;
    kelmar::settings::MemorySettingsBackend backend;
    kelmar::settings::SettingsStore store(backend);
    store.writeText(kelmar::settings::names::CatalogPathName, catalogFile().path.string());
    kelmar::qdas::CatalogContext context{*files, messages, texts, store, "."};
    for (auto _ : state) {
        kelmar::qdas::CatalogTables tables;
        kelmar::qdas::CatalogChoices choices;
        if (!kelmar::qdas::ReadCatalog(tables, choices, context)) state.SkipWithError("catalog not read");
        benchmark::DoNotOptimize(tables.EventCount());
    }
}

// Keeps the times of the runs so the ratio can be printed after them; with
// repetitions the medians count.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0, cpu = 0;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            std::string name = run.benchmark_name();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            times[name.substr(0, name.find('_'))] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, Times> times;
};

}  // namespace

BENCHMARK(BaselineLineLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadCatalog)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto baseline = reporter.times.find("BaselineLineLoop");
    auto reader = reporter.times.find("ReadCatalog");
    if (baseline != reporter.times.end() && reader != reporter.times.end() && baseline->second.real > 0)
        std::printf("ReadCatalog / BaselineLineLoop: %.2f real time, %.2f CPU time (target below 3)\n",
                    reader->second.real / baseline->second.real, reader->second.cpu / baseline->second.cpu);
    benchmark::Shutdown();
    return 0;
}
