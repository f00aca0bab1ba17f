#pragma once
// A process for the data entry dialogs: the shipped language texts, a small
// catalog and value files of its own, the simulated host attached, and a
// stand-in main window.

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/app_fixture.h"
#include "shell/host_connection.h"
#include "settings/language_texts.h"
#include "settings/setting_names.h"

namespace kelmar::test {

// Machines 12 and 7, one gage, two operators, two nests; the groups 0 (all events), 5 and 7;
// six events; the process-parameter groups 0, 2 and 3 with three parameters and four values.
inline const char* const kSmallCatalog =
    "// test catalog\r\n"
    "K4062/12 Mill 3\r\nK4063/12 Bay 2\r\nK4062/7 Lathe\r\nK4063/7 Bay 1\r\n"
    "K4072/4 Caliper\r\nK4073/4 MG-1\r\n"
    "K4092/101 Bauer\r\nK4093/101 Shift A\r\nK4092/102 Meier\r\nK4093/102 Shift B\r\n"
    "K4252/1 Nest 1\r\nK4253/1 Pallet A\r\nK4252/2 Nest 2\r\nK4253/2 Pallet B\r\n"
    "K4220/0 All events\r\n"
    "K4220/5 Tool\r\nK4221/5 3\r\nK4221/5 1\r\n"
    "K4220/7 Machine\r\nK4221/7 2\r\n"
    "K4222/1 Tool change\r\nK4223/1 insert\r\nK4222/2 Warm-up\r\nK4223/2 standstill\r\n"
    "K4222/3 Breakage\r\nK4223/3 replaced\r\nK4222/4 Shift\r\nK4223/4 new shift\r\n"
    "K4222/5 Batch\r\nK4223/5 raw\r\nK4222/6 Repair\r\nK4223/6 maintenance\r\n"
    "K4240/0 All\r\n"
    "K4240/2 Turning\r\nK4241/2 1\r\nK4241/2 2\r\n"
    "K4240/3 Milling\r\nK4241/3 3\r\n"
    "K4242/1 Speed\r\nK4243/1 rpm\r\nK4244/1 turning\r\nK4249/1 1\r\nK4249/1 2\r\n"
    "K4242/2 Feed\r\nK4243/2 mm\r\nK4244/2 turning\r\nK4249/2 3\r\n"
    "K4242/3 Cutter\r\nK4243/3 -\r\nK4244/3 mill\r\nK4249/3 4\r\n"
    "K4245/1 1000\r\nK4246/1 low\r\nK4245/2 2000\r\nK4246/2 high\r\n"
    "K4245/3 0.1\r\nK4246/3 fine\r\nK4245/4 D10\r\nK4246/4 end mill\r\n";

struct DataEntryFixture {
    HostFileBuilder host;
    std::unique_ptr<AppFixture> app;
    QWidget mainWindow;

    explicit DataEntryFixture(std::vector<std::string> valueFiles = {"K2320", "K2401", "K2402", "K2005", "K1209"},
                              HostFileBuilder builder = {})
        : host(std::move(builder)) {
        app = std::make_unique<AppFixture>(&host);
        home().write("Test/catalog.dfd", kSmallCatalog);
        home().makeFolder("Test/Values");
        for (const std::string& key : valueFiles)
            home().write("Test/Values/" + key + ".dat", key + " one\r\n" + key + " two\r\n" + key + " three\r\n");
        store().write(settings::names::CatalogPathName, home().file("Test/catalog.dfd"));
        store().write(settings::names::ValueFilePath, home().file("Test/Values"));
        auto& state = process().state;
        settings::SettingsStore& settingsStore = process().settings();
        settings::LanguageContext language{process().files(), process().messages(), state.programFolder, &settingsStore,
                                           [](const std::string&) {}};
        settings::LoadLanguageTexts(state.texts, language);
        shell::ConnectionContext connection{process().locator(), process().messages(), state.texts};
        shell::OrvConnect(state.connection, connection);
        mainWindow.setObjectName("frmMainWindow");
        mainWindow.show();
        messages().shown.clear();
    }

    shell::KelmarProcess& process() { return *app->process; }
    TempFolder& home() { return app->home; }
    settings::MemorySettingsBackend& store() { return *app->settings; }
    RecordingMessages& messages() { return *app->messages; }
    capture::QdasDataRecord& part() { return process().state.run.PartQdasData[1]; }
    void set(const std::string& name, const std::string& value) { store().write(name, value); }
    void setFlag(const std::string& key, const std::string& value) {
        store().write(settings::SettingsStore::kFieldName(key), value);
    }
};

}  // namespace kelmar::test
