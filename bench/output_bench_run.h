#pragma once
// One output run of 32767 Characteristics in a temporary program folder, shared
// by the writer and distribution benchmarks, and a reporter that prints every
// figure as a ratio against its baseline from the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "platform/number_text.h"
#include "qdas/writer_context.h"
#include "settings/setting_names.h"

namespace kelmar::bench {

namespace fs = std::filesystem;

class SilentMessages final : public platform::Messages {
public:
    void show(platform::MessageKind, const std::string&, const std::string& text) override { last = text; }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::string last;
};

class BenchPartProgram final : public host::PartProgram {
public:
    std::string Name() const override { return "BRACKET"; }
    std::string FullName() const override { return "BRACKET.PRG"; }
    std::string PartName() const override { return "BRACKET"; }
    std::string Path() const override { return {}; }
    std::string RevisionNumber() const override { return "B"; }
    std::string SerialNumber() const override { return "SN42"; }
    std::shared_ptr<host::Commands> GetCommands() const override { return nullptr; }
};

class BenchWindow final : public qdas::WriterWindow {
public:
    int count = 0;
    int characteristicListCount() const override { return count; }
    void markAllCharacteristics() override {}
    std::string lblPath() const override { return {}; }
    std::string lblOrvSerNumber() const override { return "SN42"; }
    std::string lblOrvPartName() const override { return "BRACKET"; }
    std::string lblOrvRevNumber() const override { return "B"; }
    void setStatusText(const std::string&) override {}
};

struct OutputRun {
    fs::path home;
    fs::path out;
    settings::MemorySettingsBackend backend;
    settings::SettingsStore settings{backend};
    settings::LanguageTexts texts;
    SilentMessages messages;
    std::unique_ptr<platform::FileSystem> files = platform::makeDiskFileSystem();
    platform::CommandLineArgs args;
    BenchPartProgram program;
    qdas::SystemClock clock;
    BenchWindow window;
    capture::RunData run;

    explicit OutputRun(bool dfd) {
        home = fs::temp_directory_path() / ("kelmar-bench-" + std::to_string(std::random_device{}()));
        out = home / "out";
        fs::create_directories(out);
        namespace n = settings::names;
        for (const char* name : {n::FileName1, n::FileName2, n::FileName3, n::FileName4, n::FileName5}) set(name, "0");
        for (const char* name : {n::FileCounter, n::SelectFolder, n::PartProgFolder, n::UseFolders}) set(name, "0");
        set(n::SEPERATOR, "2");
        set(n::DIR, out.string());
        set(n::FileNameRule0, "true");
        set(n::DFD, dfd ? "true" : "false");
        set(n::DIR_MONITOR, (home / "monitor").string());
        fs::create_directories(home / "monitor");
        fill();
    }
    ~OutputRun() {
        std::error_code ec;
        fs::remove_all(home, ec);
    }

    void set(const char* name, const std::string& value) { backend.write(name, value); }

    qdas::WriterContext context() {
        return {run, settings, texts, messages, *files, args, program, home.string(), clock, window};
    }

    // Characteristics as a large capture leaves them: every value set, a comment on every tenth.
    void fill() {
        run.PartQdasData[1].fields[capture::field::K0006] = "4711";
        run.PartQdasData[1].fields[capture::field::K1203] = "Serial inspection";
        run.growQdasData(capture::kMaxCount);
        for (int i = 1; i <= capture::kMaxCount; ++i) {
            capture::Characteristic& c = *run.appendCharacteristic();
            c.Name = numbered("DIM", i, ".X");
            c.Feat1 = numbered("CIR", i, "");
            c.Unit = "MM";
            c.Nom = platform::formatFixed5(10.0 + i * 0.001);
            c.UTol = "0.05000";
            c.LTol = "-0.05000";
            c.USL = platform::limitText(c.Nom, c.UTol);
            c.LSL = platform::limitText(c.Nom, c.LTol);
            c.Meas = platform::formatFixed5(10.0 + i * 0.001 + 0.004);
            c.OOT = "0.00000";
            c.Attribute = "0";
            c.Decimals = "4";
            run.CharacteristicQdasData[i].fields[capture::field::K2005] = "2";
            if (i % 10 == 0) {
                int block = *run.appendCommentBlock();
                run.CommentTable[block][1] = numbered("Bore ", i, "");
                c.CommentBlockIndex = static_cast<std::int16_t>(block);
            }
        }
        window.count = run.CharacteristicCount();
    }

    fs::path tempData(const std::string& name) const { return home / "TempData" / name; }

    static std::string numbered(const char* prefix, int i, const char* suffix) {
        std::string text = prefix;
        text += std::to_string(i);
        text += suffix;
        return text;
    }
};

inline std::string readWhole(const fs::path& path) {
    std::string data(fs::file_size(path), '\0');
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    if (file) {
        data.resize(std::fread(data.data(), 1, data.size(), file));
        std::fclose(file);
    }
    return data;
}

// The same bytes with one buffered write, the baseline of writing a file.
inline void writeWhole(const fs::path& path, const std::string& data) {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file) return;
    std::fwrite(data.data(), 1, data.size(), file);
    std::fclose(file);
}

// The same bytes written durably, as a careful program would without our rules: a new file,
// flushed to the device, renamed to its name and its folder flushed.
inline void writeDurably(platform::FileSystem& files, const fs::path& path, const std::string& data) {
    const std::string temporary = path.string() + ".new";
    files.writeNewFile(temporary, data);
    files.renameFile(temporary, path.string());
    files.flushFolder(path.parent_path().string());
}

// Prints the usual table, then "subject / baseline = ratio" for each pair that ran.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs) : pairs_(std::move(pairs)) {}

    // With --benchmark_repetitions the median counts, else the single run.
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_.insert(name);
            else if (run.run_type != Run::RT_Iteration || medians_.count(name))
                continue;
            times_[name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [subject, baseline] : pairs_)
            if (times_.count(subject) && times_.count(baseline) && times_[baseline] > 0)
                std::cout << subject << " / " << baseline << " = " << times_[subject] / times_[baseline] << "\n";
    }

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
    std::map<std::string, double> times_;
    std::set<std::string> medians_;
};

inline int runWithRatios(int argc, char** argv, std::vector<std::pair<std::string, std::string>> pairs) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(std::move(pairs));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace kelmar::bench
