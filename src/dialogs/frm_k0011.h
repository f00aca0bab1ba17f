#pragma once
// frmK0011, "Configuration Dialog For Process Parameter": composes the K0011
// value of the data entry form from the catalog's process parameters.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dialog_support.h"

class QComboBox;
class QListWidget;

namespace kelmar::dialogs {

// The VListK0011 entries of a K0011 text: "[3 1,5 2]" gives "3 1" and "5 2"; none for a blank text or "[]".
std::vector<std::string> k0011Entries(std::string_view text);

// The K0011 text of the entries: "[" + the entries joined by "," + "]".
std::string k0011Text(const std::vector<std::string>& entries);

class frmK0011 final : public DialogBase {
    Q_OBJECT

public:
    // dataEntry: the form that opens the dialog, hidden while it is open; k0011: its current
    // K0011 text; setK0011 stores the composed text there on OK.
    frmK0011(shell::KelmarProcess& process, QWidget& dataEntry, const std::string& k0011,
             std::function<void(const std::string&)> setK0011);

private:
    void buildControls();
    void groupChosen(int index);
    void parameterChosen(int row);
    void cmdAddValue_Click();
    void cmdDeleteK0011_Click();
    void cmdOK_Click();

    std::function<void(const std::string&)> setK0011_;
    QComboBox* ComboK4240_ = nullptr;
    QListWidget* VListK4243_ = nullptr;
    QListWidget* VListK4245_ = nullptr;
    QListWidget* VListK0011_ = nullptr;
};

}  // namespace kelmar::dialogs
