#pragma once
// File and folder choosers behind a port: Qt dialogs with a person, cancelled at once unattended.

#include <optional>
#include <string>

namespace kelmar::shell {

struct ChosenFolder {
    std::string drive;     // the mount root of the folder on Linux ("C:\" on Windows)
    std::string fullPath;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // A file to open; nothing when the user cancels. filter: "Label (*.ext)".
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& folder,
                                                const std::string& filter) = 0;
    virtual std::optional<ChosenFolder> chooseFolder(const std::string& title, const std::string& start) = 0;
};

class UnattendedFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> openFile(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<ChosenFolder> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

// The mount root of a folder ("/" or "/media/usb" on Linux, "C:\" on Windows).
std::string driveOf(const std::string& folder);

}  // namespace kelmar::shell
