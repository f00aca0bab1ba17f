// Offline import through COM from orvelan-sim.exe in its own process, of 500
// and 1000 single-value dimensions, against the same import from the
// in-process simulated host in the same run. Through COM every member read is
// a cross-process call, so the calls per characteristic decide the time.
//
// Prints calls and microseconds per characteristic, the ratio to the in-process
// host, the growth from 500 to 1000, and any member read more than once for one
// characteristic. Run it under Wine with a display: xvfb-run wine bench_com_import.exe

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "bench_ports.h"
#include "capture/offline_import.h"
#include "host/sim/sim_host.h"
#include "host/sim/sim_host_file.h"
#include "host/sim/win/sim_process.h"
#include "host/win/locator.h"
#include "host/win/objects.h"
#include "settings/settings_backend.h"

namespace {

using namespace kelmar;
using Clock = std::chrono::steady_clock;

constexpr auto kCodePage = platform::CodePage::Windows1252;

std::string hostFile(int dimensions) {
    std::string json = R"({"activePartProgram": {"name": "BENCH", "fullName": "C:\\Programs\\BENCH.PRG", "commands": [)";
    for (int i = 0; i < dimensions; ++i) {
        const std::string id = "DIM" + std::to_string(i);
        json += std::string(i ? "," : "") + R"({"type": 1100, "id": ")" + id + R"(", "dimension": {"id": ")" + id +
                R"(", "axisText": "D", "nominal": 10.5, "measured": 10.504, "plusTol": 0.05, "minusTol": 0.05,)" +
                R"( "deviation": 0.004, "unitCode": 1, "feature1": "CIR)" + std::to_string(i) + R"("}})";
    }
    return json + "]}}";
}

struct Import {
    double seconds = 0;
    int characteristics = 0;
};

Import importOffline(host::HostLocator& locator) {
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    settings::LanguageTexts texts;
    bench::SilentMessages messages;
    platform::CommandLineArgs commandLine;
    bench::CountingWindow window;
    capture::RunData run;
    const std::string attached;
    capture::CaptureContext context{run, store, texts, messages, commandLine, locator, window, attached, {}, {}};
    const auto app = locator.GetApplication();
    // Taken once at attach, as the program does.
    const auto program = app->ActivePartProgram();
    const auto begin = Clock::now();
    const bool done = program && capture::fctGetValuesOffline(context, *app, *program);
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    return {done ? seconds : -1, run.CharacteristicCount()};
}

// The in-process host: the best of many imports, it is quick and a shared machine is noisy.
double inProcessSeconds(const std::string& json) {
    double best = 1e9;
    for (int i = 0; i < 20; ++i) {
        std::string error;
        auto model = host::sim::parseHostFile(json, "bench.json", kCodePage, error);
        host::sim::SimHostLocator locator(std::move(*model), {});
        best = std::min(best, importOffline(locator).seconds);
    }
    return best;
}

constexpr int kSliceCalls = 1000;

struct ComImport {
    Import import;
    std::int64_t calls = 0;
    std::map<std::string, int> members;  // calls by member name
    std::vector<double> slices;          // seconds per kSliceCalls calls, in order
    // The median seconds per call over the slices: other work on a shared machine comes in bursts.
    double medianCallSeconds() const {
        if (slices.empty()) return 0;
        std::vector<double> sorted = slices;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2] / kSliceCalls;
    }
};

ComImport comImport(const std::string& json, int dimensions) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string file = std::string(folder) + "kelmar-com-bench-" + std::to_string(dimensions) + ".json";
    std::ofstream(file, std::ios::binary) << json;
    ComImport out;
    {
        host::sim::win::SimProcess server(file);
        if (!server.ready()) {
            std::fprintf(stderr, "orvelan-sim.exe did not start\n");
            return out;
        }
        host::win::ComHostLocator locator(kCodePage);
        const auto app = std::dynamic_pointer_cast<host::win::ComApplication>(locator.GetApplication());
        // The first calls of a connection set up its proxies; they stay out of the figures.
        const auto commands = app->ActivePartProgram()->GetCommands();
        for (int i = 1; i <= 20; ++i) commands->Item(i)->DimensionData()->Nominal();
        const auto before = app->session().calls();
        auto sliceStart = Clock::now();
        app->session().setCallObserver([&](const std::string& member) {
            if (++out.members[member], ++out.calls % kSliceCalls == 0) {
                const auto now = Clock::now();
                out.slices.push_back(std::chrono::duration<double>(now - sliceStart).count());
                sliceStart = now;
            }
        });
        out.import = importOffline(locator);
        if (out.calls != app->session().calls() - before) std::fprintf(stderr, "calls went uncounted\n");
        app->session().setCallObserver({});
    }
    DeleteFileA(file.c_str());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    double comSeconds[2] = {}, localSeconds[2] = {}, medianSeconds[2] = {};
    std::int64_t callCount[2] = {};
    // Other sizes for a quick look: bench_com_import 50 100
    const int sizes[2] = {argc > 2 ? std::atoi(argv[1]) : 500, argc > 2 ? std::atoi(argv[2]) : 1000};
    std::map<std::string, int> members;
    // The first server of a run is slow for reasons of its own (Wine settling on the display): not measured.
    comImport(hostFile(50), 50);
    for (int k = 0; k < 2; ++k) {
        const int n = sizes[k];
        const std::string json = hostFile(n);
        localSeconds[k] = inProcessSeconds(json);
        const ComImport com = comImport(json, n);
        if (com.import.seconds < 0 || com.import.characteristics != n) {
            std::fprintf(stderr, "the import through COM of %d dimensions failed (%d captured)\n", n,
                         com.import.characteristics);
            return 1;
        }
        comSeconds[k] = com.import.seconds;
        medianSeconds[k] = com.medianCallSeconds() * static_cast<double>(com.calls);
        callCount[k] = com.calls;
        members = com.members;
        std::printf("%5d dimensions: %.1f calls/char, COM %.0f us/char (median slices %.0f), in-process %.2f us/char, "
                    "ratio %.0fx\n",
                    n, static_cast<double>(com.calls) / n, comSeconds[k] / n * 1e6, medianSeconds[k] / n * 1e6,
                    localSeconds[k] / n * 1e6, comSeconds[k] / localSeconds[k]);
    }
    std::printf("%d over %d: calls %.2fx, COM %.2fx (%.2fx from the median call time of slices of %d calls), "
                "in-process %.2fx; linear is %.2f\n",
                sizes[1], sizes[0], static_cast<double>(callCount[1]) / callCount[0], comSeconds[1] / comSeconds[0],
                medianSeconds[1] / medianSeconds[0], kSliceCalls,
                localSeconds[1] / localSeconds[0], static_cast<double>(sizes[1]) / sizes[0]);
    std::printf("members read per characteristic (%d dimensions):\n", sizes[1]);
    bool twice = false;
    for (const auto& [member, calls] : members) {
        const double perChar = static_cast<double>(calls) / sizes[1];
        if (calls > sizes[1]) twice = true;
        std::printf("  %-28s %.3f%s\n", member.c_str(), perChar, calls > sizes[1] ? "  <- more than once" : "");
    }
    std::printf(twice ? "some member is read more than once per characteristic\n"
                      : "no member is read more than once per characteristic\n");
    return 0;
}
