#pragma once
// The K-field dialog: which of the 22 K-fields of the data entry form can be filled in.

#include "dialogs/dialog_support.h"

#include <map>
#include <string>

class QCheckBox;

namespace kelmar::dialogs {

class frmKField final : public DialogBase {
    Q_OBJECT

public:
    frmKField(shell::KelmarProcess& process, QWidget& mainWindow);

private:
    void accept();

    std::map<std::string, QCheckBox*> boxes_;
};

}  // namespace kelmar::dialogs
