// The COM adapter against orvelan-sim.exe in its own process. The strongest
// check: the same host file through COM and through the in-process simulated
// host gives the same characteristic table, messages and written bytes.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "shell/host_connection.h"
#include "capture/capture_harness.h"
#include "capture/decimal_places.h"
#include "capture/offline_import.h"
#include "capture/online_capture.h"
#include "host/sim/win/sim_process.h"
#include "host/win/locator.h"
#include "host/win/objects.h"
#include "qdas/qdas_writer.h"
#include "qdas/writer_fixture.h"

using namespace kelmar;
using host::sim::win::SimProcess;
namespace fs = std::filesystem;

namespace {

constexpr auto kCodePage = platform::CodePage::Windows1252;

// Forwards executed objects to capture and notes the end, as the main window does.
class RunSink final : public host::HostEventSink {
public:
    explicit RunSink(capture::CaptureContext& context) : context_(context) {}
    void OnObjectExecuted(host::PartProgram& program, host::Command& command) override {
        capture::OnObjectExecuted(context_, program, command);
    }
    void OnEndExecution(host::PartProgram&, int type) override { termination = type; }
    void OnClosePartProgram() override {}

    int termination = -1;

private:
    capture::CaptureContext& context_;
};

struct Outcome {
    std::vector<std::string> records;  // every field of every Characteristic
    std::vector<std::string> messages;
    std::vector<std::string> files;  // name, then the bytes
    int termination = -1;
};

std::string recordText(const capture::RunData& run, const capture::Characteristic& c) {
    std::string text = c.Number + "|" + c.Unit + "|" + c.Feat1 + "|" + c.Feat2 + "|" + c.Feat3 + "|" + c.Name + "|" +
                       c.Meas + "|" + c.Nom + "|" + c.UTol + "|" + c.LTol + "|" + c.USL + "|" + c.LSL + "|" + c.Dev +
                       "|" + c.OOT + "|" + std::to_string(c.LowerNatural) + "|" + c.Attribute + "|" +
                       std::to_string(c.GroupType) + "|" + c.Decimals + "|" + std::to_string(c.GroupNumber) + "|" +
                       std::to_string(c.MemberOfGroup);
    if (const auto* block = run.commentBlock(c.CommentBlockIndex))
        for (const auto& line : *block) text += "|" + line;
    return text;
}

// waitFor runs the event loop until its condition holds.
using Wait = std::function<void(const std::function<bool()>&)>;

// An offline import, or an online run through the events, then the writer.
Outcome runThrough(host::HostLocator& locator, bool online, const Wait& waitFor) {
    test::WriterFixture w;
    const auto app = locator.GetApplication();
    w.program = app->ActivePartProgram();
    test::FakeCaptureWindow window;
    const std::string fullName = w.program->FullName();
    capture::CaptureContext context{w.run,  w.settings, w.texts,  w.messages, w.args, locator,
                                    window, fullName,   [] {}, [] {}};
    Outcome out;
    if (online) {
        w.run.resetForOnlineStart();
        w.run.state.DecimalPlaces = capture::decimalPlacesFromHost(locator);
        RunSink sink(context);
        app->BindEvents(sink);
        waitFor([&] { return sink.termination >= 0; });
        app->UnbindEvents();
        out.termination = sink.termination;
        if (w.run.qdasDataUpper() < w.run.CharacteristicCount()) w.run.growQdasData(window.listEntryCount());
    } else {
        capture::fctGetValuesOffline(context, *app, *w.program);
    }
    for (const auto& c : w.run.CharacteristicTable) out.records.push_back(recordText(w.run, c));
    w.window.count = window.listEntryCount();
    auto writer = w.context();
    qdas::WriteQdasFiles(writer);
    out.messages = w.messages.texts();
    for (const auto& entry : fs::recursive_directory_iterator(w.out))
        if (entry.is_regular_file()) {
            out.files.push_back(entry.path().filename().string());
            out.files.push_back(*w.files.readFile(entry.path().string()));
        }
    return out;
}

Outcome inProcess(const std::string& hostFile, bool online) {
    test::PostQueue queue;
    std::string error;
    auto model = host::sim::parseHostFile(hostFile, "host.json", kCodePage, error);
    EXPECT_TRUE(model) << error;
    host::sim::SimHostLocator host(std::move(*model), queue.poster());
    return runThrough(host, online, [&](const std::function<bool()>& done) {
        queue.drain();
        EXPECT_TRUE(done());
    });
}

Outcome throughCom(host::HostLocator& locator, bool online) {
    return runThrough(locator, online, [](const std::function<bool()>& done) {
        EXPECT_TRUE(host::sim::win::pumpMessagesUntil(done, 60000));
    });
}

void expectSame(const Outcome& com, const Outcome& local) {
    EXPECT_EQ(com.records, local.records);
    EXPECT_EQ(com.messages, local.messages);
    EXPECT_EQ(com.files, local.files);
    EXPECT_EQ(com.termination, local.termination);
    EXPECT_FALSE(com.records.empty() || com.files.empty());
}

std::string bracket() {
    const auto text = platform::makeDiskFileSystem()->readFile(test::sourceDir() + "/examples/bracket.json");
    EXPECT_TRUE(text);
    return text.value_or("{}");
}

// A server of a host file, started with switches.
struct Served {
    test::TempFolder folder;
    std::unique_ptr<SimProcess> process;
    host::win::ComHostLocator locator{kCodePage};

    Served(const std::string& hostFile, const std::string& switches = "") {
        const std::string file = folder.write("host.json", hostFile);
        process = std::make_unique<SimProcess>(file, switches);
        EXPECT_TRUE(process->ready());
    }
};

template <class Call>
std::string hostErrorOf(Call call) {
    try {
        call();
    } catch (const host::HostError& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

TEST(ComHost, AttachReportsAMissingHostOrPartProgramAndReadsThePartInformation) {
    settings::LanguageTexts texts;
    texts.lines[273] = "No host.";
    texts.lines[274] = "Error code";
    texts.lines[275] = "No part program.";
    test::RecordingMessages messages;
    {
        host::win::ComHostLocator nobody(kCodePage);
        shell::ConnectionContext context{nobody, messages, texts};
        shell::HostConnection connection;
        EXPECT_FALSE(shell::OrvConnect(connection, context));
    }
    {
        test::HostFileBuilder empty;
        empty.noPartProgram();
        Served served(empty.json());
        shell::ConnectionContext context{served.locator, messages, texts};
        shell::HostConnection connection;
        EXPECT_FALSE(shell::OrvConnect(connection, context));
    }
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"No host.\nError code 'OrvConnect1'",
                                                          "No part program.\nError code 'OrvConnect2'"}));
    messages.shown.clear();

    test::HostFileBuilder host;
    host.fullName("C:\\Programs\\P\xC3\xBC""fteil.PRG").partName("  Flansch S\xC3\xBC""d ").revisionNumber("C7");
    host.serialNumber("SN-1").versions(5, 2);
    Served served(host.json());
    shell::ConnectionContext context{served.locator, messages, texts};
    shell::HostConnection connection;
    ASSERT_TRUE(shell::OrvConnect(connection, context));
    EXPECT_EQ(connection.PartProgramFileName, "C:\\Programs\\P\xFC""fteil.PRG");
    EXPECT_EQ(shell::GetPartName(connection, context) + "," + shell::GetPartRevision(connection, context) + "," +
                  shell::GetSerialNumber(connection, context),
              "Flansch S\xFC""d,C7,SN-1");
    EXPECT_EQ(connection.HostApplication->MajorVersion() * 10 + connection.HostApplication->MinorVersion(), 52);
    EXPECT_TRUE(messages.shown.empty());
    shell::OrvDisconnect(connection);
}

TEST(ComHost, TheBundledSampleGivesTheSameTableAndFilesOfflineAndOnline) {
    const auto sample = bracket();
    Served served(sample);
    expectSame(throughCom(served.locator, false), inProcess(sample, false));
    expectSame(throughCom(served.locator, true), inProcess(sample, true));
}

TEST(ComHost, GroupsHugeTextsAndAccentsGiveTheSameTableAndFiles) {
    test::HostFileBuilder b;
    b.option("DimensionDecimalPlaces", "4");
    b.decimalSetting(3);
    b.comment(1, {"Lage S\xC3\xBC""d", std::string(1 << 20, 'x')});
    b.traceField("K2001", std::string(1 << 20, 'n'));
    b.dimension(1000, "LOC1").features("PLN1", "CYL\xC3\xA4");
    b.dimension(1011, "LOC1").axisText("X").nominal(5).measured(5.01).tol(0.1, 0.1).locationAxis();
    b.dimension(1012, "LOC1").axisText("Y").nominal(-3).measured(-3.2).tol(0.1, 0.1).locationAxis();
    b.command(1001);
    b.dimension(1200, "POS1");
    b.dimension(1202, "POS1").axisText("X").nominal(12.5).measured(12.538).tol(0.05, 0.05).positionAxis();
    b.dimension(1209, "POS1").axisText("TP").measured(0.085).tol(0.1, 0).positionAxis();
    b.command(1201);
    test::typedPoint(b, "PNT1");
    b.dimension(1100, "DIM9").nominal(1).measured(1.5).inch().marked();
    Served served(b.json());
    expectSame(throughCom(served.locator, false), inProcess(b.json(), false));
}

TEST(ComHost, FailedMembersWrongTypesAndEmptyObjectsAreHostErrorsNamingTheMember) {
    test::HostFileBuilder b;
    b.dimension(1100, "A").nominal(2).measured(2.5).plusTol(0.25).error("dimension.nominal", "probe broke");
    b.comment(1, {"c"});
    Served served(b.json(), "--answer Dimension.Measured=wrong --answer Dimension.PlusTol=text "
                     "--answer Command.Comment=empty --answer PartProgram.Path=wrong");
    const auto app = served.locator.GetApplication();
    const auto program = app->ActivePartProgram();
    const auto commands = program->GetCommands();
    const auto dimension = commands->Item(1)->DimensionData();

    const std::string failed = hostErrorOf([&] { dimension->Nominal(); });
    EXPECT_NE(failed.find("Dimension.Nominal failed: probe broke"), std::string::npos) << failed;
    EXPECT_NE(failed.find("0x80004005"), std::string::npos) << failed;
    EXPECT_EQ(hostErrorOf([&] { dimension->Measured(); }).rfind("Dimension.Measured answered a value that is not", 0),
              0u);
    EXPECT_DOUBLE_EQ(dimension->PlusTol(), 0.25);  // a number sent as text still reads
    EXPECT_EQ(hostErrorOf([&] { commands->Item(2)->GetComment(); }), "Command.Comment answered no object");
    EXPECT_EQ(hostErrorOf([&] { program->Path(); }).rfind("PartProgram.Path answered a value of the wrong type", 0), 0u);
    EXPECT_NE(hostErrorOf([&] { commands->Item(3); }).find("there is no command 3"), std::string::npos);
    EXPECT_EQ(commands->Item(1)->Id(), "A");  // the enumeration starts again after running off its end

    test::FakeCaptureWindow window;
    test::WriterFixture w;
    capture::CaptureContext context{w.run, w.settings, w.texts, w.messages, w.args, served.locator,
                                    window, "",         [] {},   [] {}};
    EXPECT_FALSE(capture::fctGetValuesOffline(context, *app, *program));
    EXPECT_EQ(w.messages.texts(), std::vector<std::string>{settings::englishText(settings::Text::OfflineValuesUnreadable)});
    EXPECT_TRUE(app->DisplayFlag());  // restored after the failed walk
}

TEST(ComHost, AHostThatDiesMidRunEndsTheRunWithWhatWasCapturedKept) {
    const auto sample = bracket();
    const Outcome whole = inProcess(sample, true);
    // Without class information the adapter takes the interface from the connection point.
    Served served(sample, "--no-class-info --exit-after-calls 150");
    const Outcome cut = throughCom(served.locator, true);
    EXPECT_TRUE(served.process->exited());
    EXPECT_EQ(cut.termination, 0);
    ASSERT_GT(cut.records.size(), 0u);
    ASSERT_LT(cut.records.size(), whole.records.size());
    EXPECT_TRUE(std::equal(cut.records.begin(), cut.records.end(), whole.records.begin()));
    EXPECT_NE(hostErrorOf([&] { served.locator.GetApplication()->MajorVersion(); }), "no error");
}

TEST(ComConversion, TextsNumbersAndTheHostOptionArriveInTheCoreForm) {
    const auto text = [](const wchar_t* wide, platform::CodePage codePage) {
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(wide);
        std::string out = host::win::textOf(v, codePage, "T");
        VariantClear(&v);
        return out;
    };
    EXPECT_EQ(text(L"S\u00fcd", platform::CodePage::Windows1252), "S\xFC""d");
    EXPECT_EQ(text(L"\u0159", platform::CodePage::Windows1250), "\xF8");
    EXPECT_EQ(text(L"\u0159", platform::CodePage::Windows1252), "?");

    VARIANT v;
    v.vt = VT_I2;
    v.iVal = 7;
    EXPECT_EQ(host::win::numberOf(v, "N") + host::win::wholeOf(v, "N"), 14);
    v.vt = VT_NULL;
    EXPECT_EQ(host::win::textOf(v, platform::CodePage::Windows1252, "T") + std::to_string(host::win::wholeOf(v, "N")),
              "0");

    const wchar_t* key = L"Software\\TSI\\ORVELAN\\Option";
    host::win::ComHostLocator locator(platform::CodePage::Windows1252);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"DimensionDecimalPlaces");
    EXPECT_EQ(capture::decimalPlacesFromHost(locator), 4);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key, L"DimensionDecimalPlaces", REG_SZ, L"6", 4), ERROR_SUCCESS);
    EXPECT_EQ(locator.ReadOption("DimensionDecimalPlaces"), "6");
    EXPECT_EQ(capture::decimalPlacesFromHost(locator), 5);
    const DWORD three = 3;
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"DimensionDecimalPlaces", REG_DWORD, &three, sizeof three);
    EXPECT_EQ(locator.ReadOption("DimensionDecimalPlaces"), "3");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"DimensionDecimalPlaces");
}
