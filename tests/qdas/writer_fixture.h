#pragma once
// Fakes of the writer's ports and a program folder holding what one output run needs.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "qdas/writer_context.h"
#include "settings/setting_names.h"
#include "support/faulty_file_system.h"
#include "support/host_file_builder.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace kelmar::test {

class FakeClock final : public qdas::Clock {
public:
    mutable qdas::DateTime at{2026, 12, 7, 1, 42, 5};
    // Seconds added after every reading, to see each reading in the output.
    int step = 0;
    qdas::DateTime now() const override {
        qdas::DateTime t = at;
        at.second += step;
        return t;
    }
};

class FakeWriterWindow final : public qdas::WriterWindow {
public:
    int count = 0;
    bool marked = false;
    std::string path, serial = "1", part = "TESTPART", revision = "A";
    std::vector<std::string> status;

    int characteristicListCount() const override { return count; }
    void markAllCharacteristics() override { marked = true; }
    std::string lblPath() const override { return path; }
    std::string lblOrvSerNumber() const override { return serial; }
    std::string lblOrvPartName() const override { return part; }
    std::string lblOrvRevNumber() const override { return revision; }
    void setStatusText(const std::string& text) override { status.push_back(text); }
};

// A program folder with an output folder "out", naming settings that give "TESTPART.dfq",
// and a simulated host with part program TESTPART, revision A, serial 1.
struct WriterFixture {
    TempFolder folder;
    settings::MemorySettingsBackend backend;
    settings::SettingsStore settings{backend};
    settings::LanguageTexts texts;
    RecordingMessages messages;
    FaultyFileSystem files;
    platform::CommandLineArgs args;
    std::unique_ptr<host::sim::SimHostLocator> host;
    std::shared_ptr<host::PartProgram> program;
    FakeClock clock;
    FakeWriterWindow window;
    capture::RunData run;
    std::string out = folder.file("out");

    // omit names one naming setting left out of the store.
    explicit WriterFixture(const HostFileBuilder& builder = HostFileBuilder(), const std::string& omit = "")
        : omit_(omit) {
        host = makeSimHost(builder);
        program = host->application()->ActivePartProgram();
        folder.makeFolder("out");
        namespace n = settings::names;
        for (const char* name : {n::FileName1, n::FileName2, n::FileName3, n::FileName4, n::FileName5}) set(name, "0");
        set(n::SEPERATOR, "2");
        set(n::DIR, out);
        for (const char* name : {n::FileCounter, n::SelectFolder, n::PartProgFolder, n::UseFolders}) set(name, "0");
        set(n::FileNameRule0, "true");
        texts.lines[240] = "Upload running";
        texts.lines[241] = "Upload done";
    }

    void set(const std::string& name, const std::string& value) {
        if (name != omit_) backend.write(name, value);
    }

    qdas::WriterContext context() {
        qdas::WriterContext c{run, settings, texts, messages, files, args, *program, folder.path(), clock, window};
        c.waitingFolder = waitingFolder();
        return c;
    }

    // The user's own folder where a measurement waits that TempData refused.
    std::string waitingFolder(const std::string& name = "") const {
        return name.empty() ? folder.file("user/waiting") : folder.file("user/waiting/" + name);
    }

    // Appends a Characteristic in tolerance, shown in the list; meas tells them apart.
    capture::Characteristic& add(const std::string& name, const std::string& meas = "1.00000") {
        capture::Characteristic& c = *run.appendCharacteristic();
        c.Name = name;
        c.Meas = meas;
        c.OOT = "0.00000";
        c.Attribute = "0";
        window.count = run.CharacteristicCount();
        return c;
    }

    // Appends a Characteristic named by a comment.
    capture::Characteristic& addCommented(const std::string& comment, const std::string& meas = "1.00000") {
        add("DIM.X", meas);
        int block = *run.appendCommentBlock();
        run.CommentTable[block][1] = comment;
        run.CharacteristicTable.back().CommentBlockIndex = static_cast<std::int16_t>(block);
        return run.CharacteristicTable.back();
    }

    std::string tempData(const std::string& name = "") const {
        return name.empty() ? folder.file("TempData") : folder.file("TempData/" + name);
    }

private:
    std::string omit_;
};

// The lines of a file written with CR LF; a bare LF or CR makes the test fail.
inline std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text does not end in CR LF";
    for (const auto& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    return lines;
}

// The value of the line "key value" ("K2002/1"), or nothing when the file has no such line.
inline std::optional<std::string> valueOf(const std::vector<std::string>& lines, const std::string& key) {
    for (const auto& line : lines)
        if (line.starts_with(key + " ")) return line.substr(key.size() + 1);
    return std::nullopt;
}

// The keys of the lines, in order ("K2001/1").
inline std::vector<std::string> keysOf(const std::vector<std::string>& lines) {
    std::vector<std::string> keys;
    for (const auto& line : lines) keys.push_back(line.substr(0, line.find(' ')));
    return keys;
}

}  // namespace kelmar::test
