#pragma once
// Events (K0005) and an event group (K2060) for the current characteristic of the main window.

#include "dialogs/dialog_support.h"

class QLabel;
class QListWidget;

namespace kelmar::shell {
class MainWindowView;
}

namespace kelmar::dialogs {

class DataEntryForm;

class frmAddQdasData final : public DialogBase {
    Q_OBJECT

public:
    // The event groups are copied from the data entry form, which is created unseen when needed.
    frmAddQdasData(shell::KelmarProcess& process, shell::MainWindowView& mainWindow, DataEntryForm& dataEntry);

private:
    void accept();

    shell::MainWindowView& main_;
    // The characteristic, counted from 1; 0 when the list is empty.
    int characteristic_ = 0;
    QListWidget* lstKatalog_ = nullptr;
    QListWidget* lstEvents_ = nullptr;
};

}  // namespace kelmar::dialogs
