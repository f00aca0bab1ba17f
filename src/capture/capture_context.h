#pragma once
// Everything capture reaches besides the host objects of an event: the run data,
// the settings, the texts, the message boxes, the command line, the window and
// the two calls into the rest of the program. The main window builds it; tests build one with fakes.

#include <functional>
#include <string>

#include "capture/capture_window.h"
#include "capture/run_data.h"
#include "capture/trace_fields.h"
#include "host/host_interface.h"
#include "platform/command_line.h"
#include "platform/messages.h"
#include "settings/language_texts.h"
#include "settings/settings_store.h"

namespace kelmar::capture {

struct CaptureContext {
    RunData& run;
    settings::SettingsStore& settings;
    const settings::LanguageTexts& texts;
    platform::Messages& messages;
    platform::CommandLineArgs& commandLine;
    // For the host's own option DimensionDecimalPlaces.
    const host::HostLocator& hostLocator;
    CaptureWindow& window;
    // FullName of the part program kept when the host was attached; events of any other are ignored.
    const std::string& attachedFullName;
    // The end of a run, started by a statistics transfer or the trace value "E".
    std::function<void()> EndeEinlesevorgang;
    // Loads and shows the data entry form after an offline import.
    std::function<void()> openDataEntryForm;
};

// How online capture and the offline import differ; every other rule is shared.
struct CaptureMode {
    // Offline: the collection's PrepareCommand runs before a dimension is read.
    bool prepareDimensions = false;
    // Offline: a location axis advances GroupCharCount also when it is not captured.
    bool countSkippedLocationAxes = false;
    // Online: the trace field "QDAS" switches capture and can end the run.
    bool qdasTraceSwitches = true;
    // Offline: a "FileName" value holding "/" or "\" is replaced by "Default".
    bool rejectFileNameSlashes = false;
    // Offline: a missing MultiLine or Attribute255 counts as true and is written back.
    bool writeMissingDefaults = false;
    TraceWording wording = TraceWording::Online;

    static CaptureMode online() { return {}; }
    static CaptureMode offline() { return {true, true, false, true, true, TraceWording::Offline}; }
};

// The capture settings, each read from the store at the moment of use.
// AxisLetter: false when unreadable.
bool axisLetterSetting(const CaptureContext& context);
// UseQPos: true when unreadable.
bool useQPosSetting(const CaptureContext& context);
// MultiLine: false when unreadable online; offline true, and written back.
bool multiLineSetting(CaptureContext& context, const CaptureMode& mode);
// Attribute255: as MultiLine.
bool attribute255Setting(CaptureContext& context, const CaptureMode& mode);

}  // namespace kelmar::capture
