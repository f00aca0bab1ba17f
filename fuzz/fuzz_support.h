#pragma once
// What the fuzz targets share: quiet ports, a scratch program folder and the
// bytes of one input split into parts.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "capture/capture_window.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "qdas/clock.h"
#include "qdas/writer_window.h"
#include "settings/language_texts.h"

namespace kelmar::fuzz {

// Counts the boxes and answers every question No, as an unattended run does.
class QuietMessages final : public platform::Messages {
public:
    void show(platform::MessageKind, const std::string&, const std::string&) override { ++shown; }
    bool askYesNo(const std::string&, const std::string&) override {
        ++shown;
        return false;
    }
    int shown = 0;
};

// The main window as capture and the writer see it, without a screen.
class QuietWindow final : public capture::CaptureWindow, public qdas::WriterWindow {
public:
    void appendListEntry(const std::string&) override { ++entries; }
    void clearList() override { entries = 0; }
    int listEntryCount() const override { return entries; }
    void setProgressMaximum(int) override {}
    void setProgressValue(int) override {}
    void setProgressVisible(bool) override {}
    void stepProgress() override {}
    void setStatusPanel(int, const std::string&) override {}
    int characteristicListCount() const override { return entries; }
    void markAllCharacteristics() override {}
    std::string lblPath() const override { return {}; }
    std::string lblOrvSerNumber() const override { return "1"; }
    std::string lblOrvPartName() const override { return "PART"; }
    std::string lblOrvRevNumber() const override { return "A"; }
    void setStatusText(const std::string&) override {}
    int entries = 0;
};

class FixedClock final : public qdas::Clock {
public:
    qdas::DateTime now() const override { return {2026, 12, 8, 10, 0, 0}; }
};

// A program folder of its own for this process, emptied of files between inputs.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const;
    // Writes one file below the folder, creating the folders on the way.
    void write(std::string_view name, std::string_view content) const;
    // Removes everything below the folder.
    void clear() const;

private:
    std::string path_;
};

// The disk, shared by every input of a run.
platform::FileSystem& disk();

// The English texts shipped in resources/.
const settings::LanguageTexts& englishTexts();

// The input split at its first NUL: the first part, then the rest.
std::pair<std::string_view, std::string_view> splitAtNul(const std::uint8_t* data, std::size_t size);

// Stops the run with a message: a property of the code did not hold.
[[noreturn]] void propertyFailed(const std::string& what);

}  // namespace kelmar::fuzz
