#pragma once
// The Qt file and folder choosers.

#include "shell/file_dialogs.h"
#include "platform/code_page.h"

namespace kelmar::shell {

class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(platform::CodePage codePage) : codePage_(codePage) {}
    std::optional<std::string> openFile(const std::string& title, const std::string& folder,
                                        const std::string& filter) override;
    std::optional<ChosenFolder> chooseFolder(const std::string& title, const std::string& start) override;

private:
    platform::CodePage codePage_;
};

}  // namespace kelmar::shell
