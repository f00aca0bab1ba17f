// The setup values in the store, and OutputFile_Settings.cfg.

#include "settings/setup_file.h"
#include "settings/setup_values.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <map>

using namespace kelmar;
using namespace kelmar::settings;

namespace {

// Controls as a map, recording the order they were set in.
class MapControls final : public ControlValues {
public:
    std::map<std::string, ControlValue> values;
    std::vector<std::string> setOrder;

    ControlValue get(const ControlInfo& control) const override { return values.at(control.setting); }
    void set(const ControlInfo& control, const ControlValue& value) override {
        values[control.setting] = value;
        setOrder.push_back(control.setting);
    }
};

// Every control set, each to a value of its own.
MapControls fullControls() {
    MapControls c;
    int n = 0;
    for (const auto& control : setup::saveOrder()) {
        ++n;
        if (control.kind == ControlKind::Text)
            c.values[control.setting] = "/media/usb, " + std::to_string(n);
        else if (control.kind == ControlKind::Position)
            c.values[control.setting] = n % control.entries - 1;
        else
            c.values[control.setting] = n % 3 == 0;
    }
    return c;
}

std::vector<std::string> settingNames(std::span<const ControlInfo> order) {
    std::vector<std::string> out;
    for (const auto& c : order) out.push_back(c.setting);
    return out;
}

std::vector<std::string> validLines() {
    std::vector<std::string> lines;
    std::string content = formatSetupFile(fullControls());
    for (size_t at = 0, end; (end = content.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(content.substr(at, end - at));
    return lines;
}

std::string fileOf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

}  // namespace

TEST(SetupValues, SaveAndLoadKeepEveryValueInTheirOwnOrders) {
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    SaveSetupToSettings(store, fullControls());
    EXPECT_EQ(backend.values().size(), 26u);
    EXPECT_EQ(backend.values().at("DFD"), "false");    // options as booleans
    EXPECT_EQ(backend.values().at("UseCFG"), "1");     // check boxes as 0 / 1
    EXPECT_EQ(backend.values().at("FileName1"), "3");  // list positions as integers
    MapControls loaded;
    LoadSetupFromSettings(store, loaded);
    EXPECT_EQ(loaded.values, fullControls().values);
    // Options run click rules as they are set, so the order is part of the behaviour.
    EXPECT_EQ(loaded.setOrder[11], "PartProgFolder");
    EXPECT_EQ(settingNames(setup::saveOrder())[2], "PartProgFolder");
    EXPECT_EQ(loaded.setOrder.back(), "FileNameRule1");
}

TEST(SetupValues, UnreadableStoredValuesLeaveTheirControls) {
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    for (auto [name, text] : {std::pair{"FileName1", "6"},
                              {"FileName2", "-2"},
                              {"FileName3", "two"},
                              {"SEPERATOR", "6"},
                              {"DFD", "maybe"},
                              {"FileName4", "6"},
                              {"FileName5", "-1"},
                              {"MultiLine", "true"},
                              {"UseCFG", "5"}})
        backend.write(name, text);
    MapControls controls;
    LoadSetupFromSettings(store, controls);
    // The last entry of seven, no entry chosen, and check boxes from booleans or any number.
    EXPECT_EQ(controls.setOrder, (std::vector<std::string>{"FileName4", "FileName5", "MultiLine", "UseCFG"}));
    EXPECT_EQ(positionOf(controls.values.at("FileName5")), -1);
    EXPECT_TRUE(flagOf(controls.values.at("MultiLine")) && flagOf(controls.values.at("UseCFG")));
}

TEST(SetupFile, ExportThenImportRestoresEveryControlButStatCmds) {
    test::TempFolder home;
    auto files = platform::makeDiskFileSystem();
    std::string path = setupSettingsFilePath(home.path());
    ASSERT_TRUE(ExportSetupFile(*files, path, fullControls()));
    auto lines = validLines();
    ASSERT_EQ(lines.size(), kSetupFileLines);
    EXPECT_EQ(lines[1], "\"/media/usb, 2\"");
    EXPECT_EQ(lines[2], "#TRUE#");  // PartProgFolder
    EXPECT_EQ(home.read("OutputFile_Settings.cfg"), fileOf(lines));

    MapControls imported;
    ASSERT_TRUE(ImportSetupFile(*files, path, imported));
    auto expected = fullControls().values;
    expected.erase("StatCmds");
    EXPECT_EQ(imported.values, expected);
    EXPECT_EQ(imported.setOrder, settingNames(setup::fileOrder()));
}

TEST(SetupFile, LinesAfterTheTwentiethAreEachOptional) {
    auto lines = validLines();
    lines.resize(kSetupRequiredLines);
    auto values = parseSetupFile(fileOf(lines));
    ASSERT_TRUE(values);
    for (size_t i = 0; i < kSetupFileLines; ++i) EXPECT_EQ((*values)[i].has_value(), i < kSetupRequiredLines) << i;

    lines = validLines();
    lines[21] = "#TRUE#";  // QDV wants an integer
    lines.push_back(std::string(100000, 'x'));
    values = parseSetupFile(fileOf(lines));
    ASSERT_TRUE(values);
    EXPECT_FALSE((*values)[21]);
    EXPECT_TRUE((*values)[22] && (*values)[24]);
}

TEST(SetupFile, AFaultInTheFirstTwentyLinesChangesNoControl) {
    auto valid = validLines();
    auto with = [&](size_t line, const std::string& text) {
        auto lines = valid;
        lines[line - 1] = text;
        return fileOf(lines);
    };
    for (const std::string& content :
         {fileOf({valid.begin(), valid.begin() + 19}), std::string(), with(4, "6"), with(5, "7"), with(9, "-2"),
          with(10, "40000"), with(12, "#TRUE#"), with(13, "perhaps"), with(1, "C:,D:"), with(2, "\"/a\",\"/b\""),
          with(20, std::string("\0\x01\x02", 3))})
        EXPECT_FALSE(parseSetupFile(content)) << content;

    test::TempFolder home;
    test::FaultyFileSystem files;
    std::string path = setupSettingsFilePath(home.path());
    MapControls controls;
    EXPECT_FALSE(ImportSetupFile(files, path, controls));  // missing
    home.write("OutputFile_Settings.cfg", with(7, "x"));
    EXPECT_FALSE(ImportSetupFile(files, path, controls));
    EXPECT_TRUE(controls.setOrder.empty());
    files.fail(test::FileOp::Write);
    EXPECT_FALSE(ExportSetupFile(files, path, fullControls()));
}
