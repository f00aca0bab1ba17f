#include "capture_harness.h"

#include <fstream>
#include <sstream>

#include "capture/offline_import.h"
#include "capture/online_capture.h"
#include "support/temp_folder.h"

namespace kelmar::test {
namespace {

settings::LanguageTexts englishTexts() {
    settings::LanguageTexts texts;
    std::ifstream in(sourceDir() + "/resources/Languages/English.dll", std::ios::binary);
    std::string line;
    for (int n = 1; n <= settings::kLanguageLineCount && std::getline(in, line); ++n) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        texts.lines[n] = line;
    }
    return texts;
}

// Forwards the host's execution events as the main window will.
class CaptureSink final : public host::HostEventSink {
public:
    explicit CaptureSink(capture::CaptureContext& context) : context_(context) {}
    void OnObjectExecuted(host::PartProgram& program, host::Command& command) override {
        capture::OnObjectExecuted(context_, program, command);
    }
    void OnEndExecution(host::PartProgram&, int) override {}
    void OnClosePartProgram() override {}

private:
    capture::CaptureContext& context_;
};

}  // namespace

CommandRef typedPoint(HostFileBuilder& builder, const std::string& id, int status) {
    return builder.kind184(id)
        .fieldInt(165, status)
        .fieldInt(172, 2)
        .fieldValue(662, 1.5)
        .fieldValue(687, 1.4)
        .fieldValue(693, 0.2)
        .fieldValue(694, 0.2)
        .fieldValue(766, 0.1)
        .fieldValue(657, "FEAT");
}

std::string names(const CaptureHarness& h) {
    std::string all;
    for (int i = 1; i <= h.count(); ++i) all += h.record(i).Name + " ";
    return all;
}

void FakeCaptureWindow::appendListEntry(const std::string& text) {
    entries.push_back(text);
    selected = static_cast<int>(entries.size()) - 1;
}

void FakeCaptureWindow::stepProgress() {
    ++progressValue;
    if (onStep) onStep();
}

CaptureHarness::CaptureHarness(const HostFileBuilder& builder)
    : texts(englishTexts()),
      host(makeSimHost(builder)),
      attachedProgram(host->application()->partProgram()),
      attachedFullName(attachedProgram ? attachedProgram->FullName() : ""),
      context{run,
              store,
              texts,
              messages,
              commandLine,
              *host,
              window,
              attachedFullName,
              [this] { ++endOfRunCalls; },
              [this] { ++formOpenings; }} {}

void CaptureHarness::execute() {
    CaptureSink sink(context);
    application().BindEvents(sink);
    application().execute();
    application().UnbindEvents();
}

void CaptureHarness::executeCommand(int index) {
    capture::OnObjectExecuted(context, program(), *program().commandList().at(index - 1));
}

bool CaptureHarness::importOffline() { return capture::fctGetValuesOffline(context, application(), program()); }

}  // namespace kelmar::test
