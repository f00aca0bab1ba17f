#include "capture/offline_import.h"

#include <optional>

#include "capture/capture_rules.h"
#include "capture/decimal_places.h"
#include "host/host_step.h"
#include "platform/product.h"

namespace kelmar::capture {
namespace {

constexpr int kImportRunningLine = 238;
constexpr int kImportFinishedLine = 239;

// The walk over the commands. savedDisplay holds the host's DisplayFlag once it was read.
bool walkCommands(CaptureContext& context, host::HostApplication& application, const host::PartProgram& program,
                  std::optional<bool>& savedDisplay) {
    const CaptureMode mode = CaptureMode::offline();
    CaptureWindow& window = context.window;
    try {
        const auto commands = requiredObject(program.GetCommands());
        const int count = commands->Count();
        window.setProgressMaximum(count);
        window.setProgressValue(0);
        window.setProgressVisible(true);
        window.setStatusPanel(2, context.texts.line(kImportRunningLine));
        savedDisplay = application.DisplayFlag();
        application.SetDisplayFlag(false);
        for (int i = 1; i <= count; ++i) {
            const auto command = requiredObject(commands->Item(i));
            window.stepProgress();
            if (!applyCaptureRules(context, *command, commands.get(), mode)) return false;
        }
        return true;
    } catch (const host::HostError&) {
        return false;
    }
}

}  // namespace

bool fctGetValuesOffline(CaptureContext& context, host::HostApplication& application,
                         const host::PartProgram& attachedProgram) {
    RunData& run = context.run;
    run.resetForOfflineStart();
    // The list shows the table; a second import must not leave the first one's entries.
    context.window.clearList();
    run.state.DecimalPlaces = decimalPlacesFromHost(context.hostLocator);

    std::optional<bool> savedDisplay;
    bool walked = walkCommands(context, application, attachedProgram, savedDisplay);
    // Restored on the failure path too, so the host does not stay without its display.
    if (savedDisplay) walked = host::tryStep([&] { application.SetDisplayFlag(*savedDisplay); }) && walked;
    context.window.setProgressVisible(false);
    if (!walked) {
        context.messages.error(platform::kApplicationTitle, context.texts.text(settings::Text::OfflineValuesUnreadable));
        return false;
    }
    context.window.setStatusPanel(2, context.texts.line(kImportFinishedLine));
    if (run.qdasDataUpper() < run.CharacteristicCount()) run.growQdasData(context.window.listEntryCount());
    if (context.openDataEntryForm) context.openDataEntryForm();
    return true;
}

}  // namespace kelmar::capture
