#pragma once
// The window and message ports of a benchmark: they count and stay silent.

#include <string>

#include "capture/capture_window.h"
#include "platform/messages.h"

namespace kelmar::bench {

class CountingWindow final : public capture::CaptureWindow {
public:
    void appendListEntry(const std::string& text) override { entries += static_cast<int>(!text.empty()); }
    void clearList() override { entries = 0; }
    int listEntryCount() const override { return entries; }
    void setProgressMaximum(int) override {}
    void setProgressValue(int) override {}
    void setProgressVisible(bool) override {}
    void stepProgress() override { ++progress; }
    void setStatusPanel(int, const std::string&) override {}

    int entries = 0;
    int progress = 0;
};

class SilentMessages final : public platform::Messages {
public:
    void show(platform::MessageKind, const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

}  // namespace kelmar::bench
