#pragma once
// Everything one output run reads and changes, handed down by reference.

#include <string>
#include <string_view>

#include "capture/run_data.h"
#include "host/host_interface.h"
#include "host/host_step.h"
#include "platform/command_line.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "qdas/clock.h"
#include "qdas/writer_window.h"
#include "settings/language_texts.h"
#include "settings/settings_store.h"

namespace kelmar::qdas {

struct WriterContext {
    capture::RunData& run;
    settings::SettingsStore& settings;
    const settings::LanguageTexts& texts;
    platform::Messages& messages;
    platform::FileSystem& files;
    const platform::CommandLineArgs& args;
    // The part program that was active when the converter attached.
    host::PartProgram& partProgram;
    std::string programFolder;
    const Clock& clock;
    WriterWindow& window;
    // How long a run waits for another instance to finish its output.
    int lockWaitMilliseconds = 20000;
    // Write into TempData only; the caller has told the user why.
    bool keepInTempData = false;
    // Where a measurement waits when neither TempData nor a result folder takes it; empty for none.
    std::string waitingFolder{};
};

// Appends a time-stamped line to Kelmar.log; the log's path, empty when no log took it.
std::string logDelivery(WriterContext& context, std::string_view text);

// A text member of the part program (PartName, Path ...); empty when the host cannot answer.
inline std::string partProgramText(const host::PartProgram& program, std::string (host::PartProgram::*member)() const) {
    return host::readOr([&] { return (program.*member)(); }, std::string());
}

}  // namespace kelmar::qdas
