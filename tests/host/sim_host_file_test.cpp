#include "host/sim/sim_host_file.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "support/faulty_file_system.h"
#include "support/host_file_builder.h"
#include "support/temp_folder.h"

using kelmar::host::HostError;
using kelmar::platform::CodePage;
using namespace kelmar::host::sim;

namespace {

std::optional<HostModel> parse(std::string_view text, std::string& error, CodePage codePage = CodePage::Windows1252) {
    return parseHostFile(text, "x.json", codePage, error);
}

HostModel parseOk(std::string_view text, CodePage codePage = CodePage::Windows1252) {
    std::string error;
    auto model = parse(text, error, codePage);
    EXPECT_TRUE(model) << error;
    return model ? std::move(*model) : HostModel{};
}

std::string parseError(std::string_view text) {
    std::string error;
    EXPECT_FALSE(parse(text, error)) << "loaded: " << text;
    return error;
}

// The reason a member fails with, or "" when it reads.
template <class T>
std::string reasonOf(const Member<T>& member) {
    try {
        member.get();
        return "";
    } catch (const HostError& e) {
        return e.what();
    }
}

const CommandModel& onlyCommand(const HostModel& m) { return m.activePartProgram.value->commands.value.at(0).value; }

HostModel withCommand(const std::string& command) {
    return parseOk(R"({"activePartProgram": {"commands": [)" + command + "]}}");
}

}  // namespace

TEST(HostFileDefaults, EmptyObjectGivesTheDocumentedDefaults) {
    const HostModel m = parseOk("{}");
    EXPECT_TRUE(m.window.get());
    EXPECT_EQ(m.majorVersion.get(), 4);
    EXPECT_EQ(m.minorVersion.get(), 3);
    EXPECT_TRUE(m.adminFlag.get());
    EXPECT_TRUE(m.displayFlag.get());
    EXPECT_TRUE(m.options.get().empty());
    EXPECT_FALSE(m.execution);
    EXPECT_FALSE(m.activePartProgram.get());
}

TEST(HostFileDefaults, MembersLeftOutReadAsZeroEmptyOrFalse) {
    const HostModel m = withCommand(R"({"dimension": {}, "comment": {}})");
    EXPECT_EQ(m.activePartProgram.get()->serialNumber.get(), "");
    const CommandModel& c = onlyCommand(m);
    EXPECT_EQ(c.type.get(), 0);
    EXPECT_FALSE(c.marked.get());
    EXPECT_EQ(c.decimalSetting.get(), 0);
    EXPECT_EQ(c.dimension->get().unitCode.get(), 0);
    EXPECT_FALSE(c.dimension->get().positionAxis.get());
    EXPECT_TRUE(c.comment->get().lines.get().empty());
    EXPECT_FALSE(c.statistics || c.traceField);
}

TEST(HostFileDefaults, NullReadsAsNotGiven) {
    EXPECT_FALSE(parseOk(R"({"activePartProgram": null})").activePartProgram.get());
    EXPECT_TRUE(parseOk(R"({"window": null})").window.get());
    const HostModel m = parseOk(R"({"execution": {"stopAfter": null}})");
    ASSERT_TRUE(m.execution);
    EXPECT_FALSE(m.execution->stopAfter);
    EXPECT_EQ(m.execution->terminationType, 1);
    // A null kind member does not make the command of that kind.
    EXPECT_FALSE(onlyCommand(withCommand(R"({"dimension": null})")).dimension);
}

TEST(HostFileRead, MembersStartingWithUnderscoreAreNotes) {
    const HostModel m = parseOk(R"({"_about": {"any": [1, "thing"]}, "activePartProgram": {"_note": 5}})");
    EXPECT_TRUE(m.activePartProgram.get());
}

TEST(HostFileErrors, ErrorMembersKeepTheirReason) {
    const HostModel m = parseOk(R"({"adminFlag": {"error": "no admin"}, "activePartProgram": {"commands": [
        {"error": "whole command"}, {"comment": {"lines": ["one", {"error": "bad line"}]}}]}})");
    EXPECT_EQ(reasonOf(m.adminFlag), "no admin");
    EXPECT_EQ(reasonOf(m.displayFlag), "");
    const auto& c = m.activePartProgram.get()->commands.get();
    EXPECT_EQ(reasonOf(c[0]), "whole command");
    EXPECT_EQ(reasonOf(c[1].get().comment->get().lines.get().at(1)), "bad line");
}

TEST(HostFileErrors, ErrorFormStandsAloneAndHoldsAText) {
    EXPECT_EQ(parseError(R"({"adminFlag": {"error": "x", "value": true}})"),
              "x.json: member adminFlag: an error member holds nothing but \"error\"");
    EXPECT_EQ(parseError(R"({"adminFlag": {"error": 5}})"), "x.json: member adminFlag.error: expected a text");
    EXPECT_EQ(parseError(R"({"execution": {"error": "x"}})"),
              "x.json: member execution: execution settings cannot be given as an error");
}

TEST(HostFileTypes, WrongTypesNameTheFileAndTheMemberPath) {
    const std::map<std::string, std::string> cases = {
        {R"({"activePartProgram": {"commands": [{}, {}, {}, {"dimension": {"nominal": "abc"}}]}})",
         "member activePartProgram.commands[3].dimension.nominal: expected a number"},
        {R"({"activePartProgram": {"commands": 5}})", "member activePartProgram.commands: expected a list of commands"},
        {R"({"activePartProgram": {"commands": [7]}})", "member activePartProgram.commands[0]: expected an object"},
        {R"({"activePartProgram": 1})", "member activePartProgram: expected an object"},
        {R"({"activePartProgram": {"name": 12}})", "member activePartProgram.name: expected a text"},
        {R"({"window": "yes"})", "member window: expected true or false"},
        {R"({"majorVersion": 4.5})", "member majorVersion: expected a whole number"},
        {R"({"majorVersion": 3000000000})", "member majorVersion: number out of range"},
        {R"({"minorVersion": -3000000000})", "member minorVersion: number out of range"},
        {R"({"options": []})", "member options: expected an object"},
        {R"({"options": {"A": true}})", "member options.A: expected a text or a number"},
        {R"({"execution": {"stopAfter": -1}})", "member execution.stopAfter: expected a count of 0 or more"},
        {R"({"execution": {"autoStart": 1}})", "member execution.autoStart: expected true or false"},
        {R"({"activePartProgram": {"commands": [{"comment": {"lines": ["a", 3]}}]}})",
         "member activePartProgram.commands[0].comment.lines[1]: expected a text"},
        {R"({"activePartProgram": {"commands": [{"fieldInt": {"abc": 1}}]}})",
         "member activePartProgram.commands[0].fieldInt.abc: expected a field code (a whole number) as the name"},
        {R"({"activePartProgram": {"commands": [{"fieldInt": {"165 ": 1}}]}})",
         "member activePartProgram.commands[0].fieldInt.165 : expected a field code (a whole number) as the name"},
        {R"({"activePartProgram": {"commands": [{"fieldValue": {"662": true}}]}})",
         "member activePartProgram.commands[0].fieldValue.662: expected a number or a text"},
        {R"({"activePartProgram": {"commands": [{"dimension": {"nomnal": 1}}]}})",
         "member activePartProgram.commands[0].dimension.nomnal: unknown member"},
        {R"({"Window": true})", "member Window: unknown member"},
        {R"({"majorVersion": 5.5})", "member majorVersion: expected a whole number"},
        {"[]", "expected a JSON object at the top level"},
    };
    for (const auto& [text, message] : cases) EXPECT_EQ(parseError(text), "x.json: " + message) << text;
}

TEST(HostFileJson, MalformedTextNamesTheFileAndTheBytePosition) {
    std::string error;
    EXPECT_FALSE(parseHostFile(R"({"window": tru})", "examples/x.json", CodePage::Windows1252, error));
    EXPECT_EQ(error.rfind("Host file examples/x.json is not valid JSON at byte 15: ", 0), 0u) << error;
    EXPECT_EQ(error.find("[json.exception"), std::string::npos) << error;

    EXPECT_NE(parseError("").find("is not valid JSON at byte 1: "), std::string::npos);
    EXPECT_NE(parseError("{\"a\": 1,").find("is not valid JSON at byte 9: "), std::string::npos);
    EXPECT_NE(parseError("{} {}").find("is not valid JSON at byte 4: "), std::string::npos);
    EXPECT_NE(parseError("{\"name\": \"\xC3\x28\"}").find("is not valid JSON at byte"), std::string::npos);
    EXPECT_NE(parseError(std::string("{\"a\":\0}", 7)).find("is not valid JSON"), std::string::npos);
    EXPECT_NE(parseError(R"({"majorVersion": 1e999})").find("Host file x.json is not valid JSON"), std::string::npos);
}

TEST(HostFileJson, NestingDeeperThanTheLimitIsRefused) {
    const std::string hostile(200000, '[');
    EXPECT_EQ(parseError(hostile), "Host file x.json nests deeper than 64 levels at byte 65");

    auto nested = [](int arrays) { return R"({"_n": )" + std::string(arrays, '[') + std::string(arrays, ']') + "}"; };
    parseOk(nested(kMaxHostFileDepth - 1));  // with the outer object, exactly the limit
    EXPECT_NE(parseError(nested(kMaxHostFileDepth)).find("nests deeper than 64"), std::string::npos);
    // Brackets inside texts, escaped quotes included, do not count.
    parseOk(R"({"_n": "\"[[[[)" + std::string(500, '[') + R"("})");
}

TEST(HostFileJson, LargeFilesLoadAndOversizeTextIsRefused) {
    kelmar::test::HostFileBuilder b;
    for (int i = 0; i < 20000; ++i) b.dimension(1100, "DIM" + std::to_string(i)).nominal(i).measured(i + 0.001);
    EXPECT_EQ(parseOk(b.json()).activePartProgram.get()->commands.get().size(), 20000u);

    const std::string oversize(kMaxHostFileBytes + 1, ' ');
    EXPECT_EQ(parseError(oversize), "Host file x.json is larger than 32 MiB");
}

TEST(HostFileCodePage, TextsArriveInTheInstallationCodePage) {
    const std::string text = R"({"options": {"N\u00e4me": "\u00e4"}, "activePartProgram": {
        "partName": "Tr\u00e4ger", "serialNumber": "ř", "path": {"error": "Pfad \u00e4"}}})";
    const HostModel western = parseOk(text, CodePage::Windows1252);
    const PartProgramModel& w = *western.activePartProgram.get();
    EXPECT_EQ(w.partName.get(), "Tr\xE4ger");
    EXPECT_EQ(w.serialNumber.get(), "?");  // no ř in Windows-1252
    EXPECT_EQ(reasonOf(w.path), "Pfad \xE4");
    EXPECT_EQ(western.options.get().at("N\xE4me").get(), "\xE4");

    const HostModel central = parseOk(text, CodePage::Windows1250);
    EXPECT_EQ(central.activePartProgram.get()->serialNumber.get(), "\xF8");
    EXPECT_EQ(central.activePartProgram.get()->partName.get(), "Tr\xE4ger");
}

TEST(HostFileLoad, ReadsThroughThePortAndNamesTheFileOnFailure) {
    kelmar::test::TempFolder dir;
    kelmar::test::FaultyFileSystem fs;
    const std::string ok = dir.write("ok.json", R"({"majorVersion": 7})");
    const std::string bad = dir.write("bad.json", R"({"majorVersion": "7"})");
    const std::string locked = dir.write("locked.json", "{}");
    const std::string missing = dir.file("missing.json");
    fs.fail(kelmar::test::FileOp::Read, "locked.json");
    std::string error;

    const auto model = loadHostFile(fs, ok, CodePage::Windows1252, error);
    ASSERT_TRUE(model) << error;
    EXPECT_EQ(model->majorVersion.get(), 7);
    EXPECT_FALSE(loadHostFile(fs, missing, CodePage::Windows1252, error));
    EXPECT_EQ(error, "Host file " + missing + " does not exist");
    EXPECT_FALSE(loadHostFile(fs, locked, CodePage::Windows1252, error));
    EXPECT_EQ(error, "Host file " + locked + " cannot be read");
    EXPECT_FALSE(loadHostFile(fs, bad, CodePage::Windows1252, error));
    EXPECT_EQ(error, bad + ": member majorVersion: expected a whole number");
}

TEST(HostFileExamples, ShippedExamplesLoadAndCoverTheCommandKinds) {
    auto disk = kelmar::platform::makeDiskFileSystem();
    const std::string dir = kelmar::test::sourceDir() + "/examples/";
    std::string error;

    const auto none = loadHostFile(*disk, dir + "no-part-program.json", CodePage::Windows1252, error);
    ASSERT_TRUE(none) << error;
    EXPECT_FALSE(none->activePartProgram.get());
    const auto empty = loadHostFile(*disk, dir + "empty.json", CodePage::Windows1252, error);
    ASSERT_TRUE(empty) << error;
    EXPECT_TRUE(empty->activePartProgram.get()->commands.get().empty());

    const auto bracket = loadHostFile(*disk, dir + "bracket.json", CodePage::Windows1252, error);
    ASSERT_TRUE(bracket) << error;
    std::set<int> kinds;
    int outOfTolerance = 0;
    int eventComments = 0;
    for (const auto& member : bracket->activePartProgram.get()->commands.get()) {
        const CommandModel& c = member.get();
        kinds.insert(c.type.get());
        if (c.dimension && c.dimension->get().outTol.get() != 0.0) ++outOfTolerance;
        if (c.comment && c.comment->get().commentType.get() == 1) ++eventComments;
    }
    for (int kind : {114, 184, 1000, 1001, 1002, 1100, 1108, 1200, 1201, 1202, 1203, 1209})
        EXPECT_TRUE(kinds.count(kind)) << "no command of kind " << kind;
    EXPECT_EQ(outOfTolerance, 1);
    EXPECT_GE(eventComments, 2);
}

TEST(HostFileBuilderOutput, FillsDeviationAndOutOfToleranceUnlessGiven) {
    kelmar::test::HostFileBuilder b;
    b.dimension(1100, "IN").nominal(10).measured(10.004).tol(0.05, 0.05);
    b.dimension(1100, "HIGH").nominal(10).measured(10.08).tol(0.05, 0.05);
    b.dimension(1100, "LOW").nominal(10).measured(9.9).tol(0.05, 0.05);
    b.dimension(1100, "SET").nominal(10).measured(11).deviation(0).outTol(0);
    b.comment(1, {"a"}).error("comment.commentType", "no type");
    const HostModel m = parseOk(b.json());
    const auto& c = m.activePartProgram.get()->commands.get();
    ASSERT_EQ(c.size(), 5u);
    auto dim = [&](int i) -> const DimensionModel& { return c[i].get().dimension->get(); };
    EXPECT_DOUBLE_EQ(dim(0).deviation.get(), 0.004);
    EXPECT_DOUBLE_EQ(dim(0).outTol.get(), 0.0);
    EXPECT_DOUBLE_EQ(dim(1).outTol.get(), 0.03);
    EXPECT_DOUBLE_EQ(dim(2).outTol.get(), -0.05);
    EXPECT_DOUBLE_EQ(dim(3).deviation.get(), 0.0);
    EXPECT_EQ(dim(1).id.get(), "HIGH");
    EXPECT_EQ(dim(1).unitCode.get(), 1);
    EXPECT_EQ(reasonOf(c[4].get().comment->get().commentType), "no type");
}
