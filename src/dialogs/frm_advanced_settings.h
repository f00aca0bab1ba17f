#pragma once
// The advanced settings: the Q-DAS catalog file, the folder of the value files,
// and the rules that number and name the characteristics.

#include "dialogs/dialog_support.h"

#include <string>

class QLabel;
class QRadioButton;

namespace kelmar::dialogs {

class DriveFolderLists;

class frmAdvancedSettings final : public DialogBase {
    Q_OBJECT

public:
    // returnTo: the window hidden while this one is open (the setup dialog), which also owns it.
    frmAdvancedSettings(shell::KelmarProcess& process, QWidget& returnTo);

private:
    // A stored path, or the one the catalog reader would use instead.
    std::string shownPath(const char* setting, const std::string& fallback) const;
    void searchCatalog();
    void accept();

    QLabel* lblQDASCatalog_ = nullptr;
    DriveFolderLists* folders_ = nullptr;
    QRadioButton* Option1_ = nullptr;
    QRadioButton* Option2_ = nullptr;
    QRadioButton* Option3_ = nullptr;
    QRadioButton* Option4_ = nullptr;
};

}  // namespace kelmar::dialogs
