#pragma once
// Every dialog the main window opens, made as it makes them, for the tests that go through all of them.

#include <functional>
#include <utility>
#include <vector>

#include "dialogs/frm_about.h"
#include "dialogs/frm_add_qdas_data.h"
#include "dialogs/frm_advanced_settings.h"
#include "dialogs/frm_dateneingabe.h"
#include "dialogs/frm_path_select.h"
#include "dialogs/setup_dialogs.h"
#include "started_window.h"

namespace kelmar::test {

using DialogMaker = std::function<dialogs::DialogBase*()>;

// By name, the data entry form last; the form's own dialogs need entry, which must outlive the makers.
inline std::vector<std::pair<const char*, DialogMaker>> everyDialog(StartedWindow& w, dialogs::DataEntryForm& entry) {
    return {
        {"About", [&] { return new dialogs::frm_About(*w.f.process, w.window); }},
        {"Path",
         [&] {
             return new dialogs::frmPathSelect(
                 *w.f.process, w.window, [] { return std::string(); }, [](const std::string&) {});
         }},
        {"AddQdasData", [&] { return new dialogs::frmAddQdasData(*w.f.process, w.window, entry); }},
        {"Setup", [&] { return dialogs::createSetupDialog("menuSetup", *w.f.process, w.window); }},
        {"Monitor", [&] { return dialogs::createSetupDialog("menuMonitor", *w.f.process, w.window); }},
        {"Description", [&] { return dialogs::createSetupDialog("menuQdasSettings", *w.f.process, w.window); }},
        {"KFields", [&] { return dialogs::createSetupDialog("menuQdasKeySetup", *w.f.process, w.window); }},
        {"Advanced", [&] { return new dialogs::frmAdvancedSettings(*w.f.process, w.window); }},
        {"DataEntry", [&] { return &entry.form(); }},
    };
}

}  // namespace kelmar::test
