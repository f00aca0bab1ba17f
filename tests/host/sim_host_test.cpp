#include "host/sim/sim_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/host_step.h"
#include "support/host_file_builder.h"

using kelmar::host::Command;
using kelmar::host::HostError;
using kelmar::host::HostEventSink;
using kelmar::host::PartProgram;
using kelmar::test::HostFileBuilder;
using kelmar::test::makeSimHost;
using kelmar::test::PostQueue;
using namespace kelmar::host::sim;

namespace {

// Records every event as a short line; react runs after recording, as a handler would.
class RecordingSink : public HostEventSink {
public:
    std::vector<std::string> events;
    std::vector<const Command*> commands;
    const PartProgram* program = nullptr;
    std::function<void(const std::string&)> react;

    void OnObjectExecuted(PartProgram& p, Command& command) override {
        commands.push_back(&command);
        program = &p;
        const std::string id = kelmar::host::readOr([&] { return command.Id(); }, std::string("(failed)"));
        record("exec " + id + " of " + p.Name());
    }
    void OnEndExecution(PartProgram& p, int terminationType) override {
        record("end " + std::to_string(terminationType) + " of " + p.Name());
    }
    void OnClosePartProgram() override { record("close"); }

private:
    void record(const std::string& event) {
        events.push_back(event);
        if (react) react(event);
    }
};

HostFileBuilder threeDimensions() {
    HostFileBuilder b;
    b.programName("P");
    b.dimension(1100, "D1");
    b.dimension(1100, "D2");
    b.dimension(1100, "D3");
    return b;
}

const std::vector<std::string> kFullRun = {"exec D1 of P", "exec D2 of P", "exec D3 of P", "end 1 of P"};

template <class Read>
std::string reasonOf(Read read) {
    try {
        read();
        return "";
    } catch (const HostError& e) {
        return e.what();
    }
}

// A host with a bound sink; the fixture keeps every part alive for the test.
class Execution : public ::testing::Test {
protected:
    void start(const HostFileBuilder& b) {
        locator = makeSimHost(b, queue.poster());
        app = locator->application();
        app->BindEvents(sink);
    }

    PostQueue queue;
    RecordingSink sink;
    std::unique_ptr<SimHostLocator> locator;
    std::shared_ptr<SimApplication> app;
};

}  // namespace

TEST(SimLocator, WindowDecidesWhetherAnApplicationIsFound) {
    auto running = makeSimHost(HostFileBuilder());
    EXPECT_TRUE(running->HostWindowExists());
    EXPECT_EQ(running->GetApplication(), running->GetApplication());

    auto closed = makeSimHost(HostFileBuilder().window(false));
    EXPECT_FALSE(closed->HostWindowExists());
    EXPECT_THROW(closed->GetApplication(), HostError);

    auto broken = makeSimHost(HostFileBuilder().error("window", "server busy"));
    EXPECT_TRUE(broken->HostWindowExists());
    EXPECT_EQ(reasonOf([&] { broken->GetApplication(); }), "server busy");
}

TEST(SimLocator, OptionsAnswerTheirTextOrFail) {
    HostFileBuilder b;
    b.option("DimensionDecimalPlaces", "5").option("Count", 7).raw("options.Ratio", "2.5");
    b.error("options.Locked", "access denied");
    auto host = makeSimHost(b);
    EXPECT_EQ(host->ReadOption("DimensionDecimalPlaces"), "5");
    EXPECT_EQ(host->ReadOption("Count"), "7");
    EXPECT_EQ(host->ReadOption("Ratio"), "2.5");
    EXPECT_EQ(host->ReadOption("dimensiondecimalplaces"), std::nullopt);
    EXPECT_EQ(reasonOf([&] { host->ReadOption("Locked"); }), "access denied");
    EXPECT_THROW(makeSimHost(HostFileBuilder().error("options", "no registry"))->ReadOption("Count"), HostError);
}

TEST(SimApplicationMembers, FlagsVersionsAndPartProgram) {
    HostFileBuilder b;
    b.versions(5, 1).adminFlag(false).programName("BRACKET").path("/out").error("activePartProgram.serialNumber",
                                                                                "locked");
    auto host = makeSimHost(b);
    auto app = host->GetApplication();
    EXPECT_EQ(app->MajorVersion(), 5);
    EXPECT_EQ(app->MinorVersion(), 1);
    EXPECT_FALSE(app->AdminFlag());
    EXPECT_TRUE(app->DisplayFlag());
    app->SetDisplayFlag(false);
    EXPECT_FALSE(app->DisplayFlag());

    const auto program = app->ActivePartProgram();
    ASSERT_TRUE(program);
    EXPECT_EQ(program, app->ActivePartProgram());
    EXPECT_EQ(program->Name(), "BRACKET");
    EXPECT_EQ(program->Path(), "/out");
    EXPECT_EQ(reasonOf([&] { program->SerialNumber(); }), "locked");

    EXPECT_EQ(makeSimHost(HostFileBuilder().noPartProgram())->application()->ActivePartProgram(), nullptr);
    auto broken = makeSimHost(HostFileBuilder().error("displayFlag", "no display").error("activePartProgram", "busy"));
    EXPECT_EQ(reasonOf([&] { broken->application()->SetDisplayFlag(false); }), "no display");
    EXPECT_EQ(reasonOf([&] { broken->application()->ActivePartProgram(); }), "busy");
}

TEST(SimCommandsMembers, ItemIsOneBasedAndPrepareCommandIsCounted) {
    auto host = makeSimHost(threeDimensions());
    const auto commands = host->application()->ActivePartProgram()->GetCommands();
    ASSERT_EQ(commands->Count(), 3);
    EXPECT_EQ(commands->Item(1)->Id(), "D1");
    EXPECT_EQ(commands->Item(3)->Id(), "D3");
    EXPECT_THROW(commands->Item(0), HostError);
    EXPECT_THROW(commands->Item(4), HostError);

    commands->PrepareCommand(*commands->Item(2));
    commands->PrepareCommand(*commands->Item(2));
    EXPECT_EQ(std::dynamic_pointer_cast<SimCommands>(commands)->prepareCount(), 2);
    EXPECT_TRUE(std::dynamic_pointer_cast<SimCommand>(commands->Item(2))->isPrepared());
    EXPECT_FALSE(std::dynamic_pointer_cast<SimCommand>(commands->Item(1))->isPrepared());
}

TEST(SimCommandsMembers, KindObjectsExistOnlyOnCommandsOfThatKind) {
    HostFileBuilder b;
    b.dimension(1100, "D1").measured(10.1).features("CIR1").marked();
    b.comment(1, {"first", ""});
    b.statistics(2, "/out");
    b.traceField("K2001", "Bore");
    b.command(1001);
    auto host = makeSimHost(b);
    const auto c = host->application()->ActivePartProgram()->GetCommands();

    const auto dim = c->Item(1);
    EXPECT_TRUE(dim->IsDimension() && dim->IsMarked());
    EXPECT_FALSE(dim->IsComment() || dim->IsStatistics() || dim->IsTraceField());
    EXPECT_DOUBLE_EQ(dim->DimensionData()->Measured(), 10.1);
    EXPECT_EQ(dim->DimensionData()->Feature1(), "CIR1");
    EXPECT_THROW(dim->GetComment(), HostError);
    EXPECT_THROW(dim->GetStatistics(), HostError);
    EXPECT_THROW(dim->GetTraceField(), HostError);
    EXPECT_THROW(c->Item(2)->DimensionData(), HostError);
    EXPECT_THROW(c->Item(5)->DimensionData(), HostError);
    EXPECT_EQ(c->Item(3)->GetStatistics()->Text(), "/out");
    EXPECT_EQ(c->Item(4)->GetTraceField()->Value(), "Bore");

    const auto comment = c->Item(2)->GetComment();
    EXPECT_EQ(comment->Line(1), "first");
    EXPECT_EQ(comment->Line(2), "");
    EXPECT_EQ(comment->Line(20), "");
    EXPECT_THROW(comment->Line(0), HostError);
}

TEST(SimCommandsMembers, EveryDimensionMemberReadsItsOwnValue) {
    HostFileBuilder b;
    b.dimension(1209, "POS1")
        .dimensionId("DIMID")
        .axisText("TP")
        .nominal(1)
        .measured(2)
        .plusTol(3)
        .minusTol(4)
        .deviation(5)
        .outTol(6)
        .inch()
        .features("F1", "F2", "F3")
        .mode(2)
        .positionAxis();
    auto host = makeSimHost(b);
    const auto command = host->application()->ActivePartProgram()->GetCommands()->Item(1);
    EXPECT_EQ(command->Id(), "POS1");
    const auto d = command->DimensionData();
    EXPECT_EQ(d->Id(), "DIMID");
    EXPECT_EQ(d->AxisText(), "TP");
    EXPECT_EQ(
        std::vector<double>({d->Nominal(), d->Measured(), d->PlusTol(), d->MinusTol(), d->Deviation(), d->OutTol()}),
        std::vector<double>({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(d->UnitCode(), 0);
    EXPECT_EQ(d->Feature1() + d->Feature2() + d->Feature3(), "F1F2F3");
    EXPECT_EQ(d->Mode(), 2);
    EXPECT_TRUE(d->IsPositionAxis());
    EXPECT_FALSE(d->IsLocationAxis());
}

TEST(SimCommandsMembers, ErrorMembersFailOnlyWhenRead) {
    HostFileBuilder b;
    b.dimension(1100, "D1").error("", "command gone");
    b.dimension(1100, "D2").error("dimension", "no data");
    b.dimension(1100, "D3").measured(2).error("dimension.nominal", "bad nominal");
    auto host = makeSimHost(b);
    const auto c = host->application()->ActivePartProgram()->GetCommands();

    EXPECT_EQ(reasonOf([&] { c->Item(1)->IsDimension(); }), "command gone");
    EXPECT_TRUE(c->Item(2)->IsDimension());
    EXPECT_EQ(reasonOf([&] { c->Item(2)->DimensionData(); }), "no data");
    const auto d3 = c->Item(3)->DimensionData();
    EXPECT_EQ(reasonOf([&] { d3->Nominal(); }), "bad nominal");
    EXPECT_DOUBLE_EQ(d3->Measured(), 2.0);

    auto noCommands = makeSimHost(HostFileBuilder().error("activePartProgram.commands", "no list"));
    const auto program = noCommands->application()->ActivePartProgram();
    EXPECT_EQ(reasonOf([&] { program->GetCommands(); }), "no list");
    EXPECT_EQ(program->Name(), "TESTPART");
}

TEST(SimCommandsMembers, DecimalSettingAndTypedFields) {
    HostFileBuilder b;
    b.decimalSetting(3);
    b.kind184("PNT1").fieldInt(165, 0).fieldValue(662, 1.5).fieldValue(657, "PNT1").error("fieldInt.999", "locked");
    auto host = makeSimHost(b);
    const auto c = host->application()->ActivePartProgram()->GetCommands();
    EXPECT_EQ(c->Item(1)->DecimalSetting(), 3);

    const auto p = c->Item(2);
    EXPECT_EQ(p->GetFieldInt(165, 1), 0);
    EXPECT_EQ(std::get<double>(p->GetFieldValue(662, 1)), 1.5);
    EXPECT_EQ(std::get<std::string>(p->GetFieldValue(657, 1)), "PNT1");
    EXPECT_EQ(reasonOf([&] { p->GetFieldInt(999, 1); }), "locked");
    EXPECT_THROW(p->GetFieldInt(166, 1), HostError);
    EXPECT_THROW(p->GetFieldValue(687, 1), HostError);
    EXPECT_THROW(p->GetFieldInt(165, 2), HostError);
}

TEST_F(Execution, AutoStartQueuesOneRunOnTheFirstBindOnly) {
    start(threeDimensions().autoStart());
    EXPECT_TRUE(sink.events.empty()) << "the run is queued, not started inside BindEvents";
    app->UnbindEvents();
    app->BindEvents(sink);
    EXPECT_EQ(queue.drain(), 1u);
    app->BindEvents(sink);
    EXPECT_EQ(queue.pending(), 0u);
    EXPECT_EQ(sink.events, kFullRun);

    // Handlers get the active part program and the objects Item hands out.
    const auto program = app->ActivePartProgram();
    ASSERT_TRUE(program);
    EXPECT_EQ(sink.program, program.get());
    ASSERT_EQ(sink.commands.size(), 3u);
    EXPECT_EQ(sink.commands[2], program->GetCommands()->Item(3).get());

    start(threeDimensions());
    EXPECT_EQ(queue.pending(), 0u);
}

TEST_F(Execution, StopAfterRunsOnlyTheFirstCommands) {
    start(threeDimensions().stopAfter(2).terminationType(3));
    app->execute();
    EXPECT_EQ(sink.events, (std::vector<std::string>{"exec D1 of P", "exec D2 of P", "end 3 of P"}));

    sink.events.clear();
    start(threeDimensions().stopAfter(0));
    app->execute();
    EXPECT_EQ(sink.events, (std::vector<std::string>{"end 1 of P"}));
}

TEST_F(Execution, CloseAfterClosesThePartProgramOnce) {
    start(threeDimensions().closeAfter());
    app->execute();
    auto expected = kFullRun;
    expected.push_back("close");
    EXPECT_EQ(sink.events, expected);
    EXPECT_EQ(app->ActivePartProgram(), nullptr);
    app->execute();
    app->closePartProgram();
    EXPECT_EQ(sink.events, expected);
}

TEST_F(Execution, UnboundHostRunsWithoutCallingAnyone) {
    start(threeDimensions().closeAfter());
    app->UnbindEvents();
    app->execute();
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(app->ActivePartProgram(), nullptr);
}

TEST_F(Execution, UnbindingInAHandlerStopsFurtherCalls) {
    start(threeDimensions().closeAfter());
    sink.react = [&](const std::string& e) {
        if (e == "exec D2 of P") app->UnbindEvents();
    };
    app->execute();
    EXPECT_EQ(sink.events, (std::vector<std::string>{"exec D1 of P", "exec D2 of P"}));
    EXPECT_FALSE(app->isExecuting());
}

TEST_F(Execution, CancelSkipsTheRestAndReportsTerminationZero) {
    start(threeDimensions().closeAfter());
    sink.react = [&](const std::string& e) {
        if (e == "exec D1 of P") app->cancelExecution();
    };
    app->execute();
    EXPECT_EQ(sink.events, (std::vector<std::string>{"exec D1 of P", "end 0 of P"}));
    EXPECT_TRUE(app->ActivePartProgram()) << "closeAfter does not apply to a cancelled run";

    sink.events.clear();
    sink.react = nullptr;
    app->cancelExecution();  // nothing running: the next run is whole
    app->execute();
    EXPECT_EQ(sink.events.size(), 5u);
}

TEST_F(Execution, ClosingDuringARunEndsItThenCloses) {
    start(threeDimensions());
    sink.react = [&](const std::string& e) {
        if (e == "exec D1 of P") app->closePartProgram();
    };
    app->execute();
    EXPECT_EQ(sink.events, (std::vector<std::string>{"exec D1 of P", "end 0 of P", "close"}));
    EXPECT_EQ(app->ActivePartProgram(), nullptr);
}

TEST_F(Execution, ExecuteDuringARunIsIgnored) {
    start(threeDimensions());
    sink.react = [&](const std::string&) { app->execute(); };
    app->execute();
    EXPECT_EQ(sink.events, kFullRun);
}

TEST_F(Execution, HandlerDroppingEveryHostReferenceIsSafe) {
    start(threeDimensions());
    sink.react = [&](const std::string& e) {
        if (e == "exec D1 of P") locator.reset(), app.reset();
    };
    SimApplication* raw = app.get();
    raw->execute();
    EXPECT_EQ(sink.events, kFullRun);

    start(threeDimensions().autoStart());
    locator.reset();
    app.reset();
    sink.events.clear();
    EXPECT_EQ(queue.drain(), 1u);
    EXPECT_TRUE(sink.events.empty()) << "a queued run of a host that is gone does nothing";
}

TEST_F(Execution, ErrorCommandsAreStillDeliveredAndNoCommandsStillEnd) {
    HostFileBuilder b = threeDimensions();
    b.at(2).error("", "broken");
    start(b);
    app->execute();
    EXPECT_EQ(sink.events,
              (std::vector<std::string>{"exec D1 of P", "exec (failed) of P", "exec D3 of P", "end 1 of P"}));

    sink.events.clear();
    start(HostFileBuilder().programName("P").error("activePartProgram.commands", "no list"));
    app->execute();
    EXPECT_EQ(sink.events, (std::vector<std::string>{"end 1 of P"}));
}
