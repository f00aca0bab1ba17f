#pragma once
// The monitoring dialog: whether each output file is also copied into a
// monitoring folder, and which folder that is.

#include "dialogs/control_bindings.h"
#include "dialogs/dialog_support.h"

namespace kelmar::dialogs {

class DriveFolderLists;

class frm_Ausgabedatei_Monitoring final : public DialogBase {
    Q_OBJECT

public:
    frm_Ausgabedatei_Monitoring(shell::KelmarProcess& process, QWidget& mainWindow);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void loadFromSettings();
    void accept();

    ControlBindings controls_;
    DriveFolderLists* folders_ = nullptr;
    bool accepted_ = false;
};

}  // namespace kelmar::dialogs
