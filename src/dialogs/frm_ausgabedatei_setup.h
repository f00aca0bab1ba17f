#pragma once
// The output-file setup dialog: where the Q-DAS files go, how they are named,
// their format and how capture behaves; export and import of its settings file.

#include "shell/main_window_view.h"
#include "dialogs/control_bindings.h"
#include "dialogs/dialog_support.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QRadioButton;

namespace kelmar::dialogs {

class DriveFolderLists;

class frm_Ausgabedatei_Setup final : public DialogBase {
    Q_OBJECT

public:
    frm_Ausgabedatei_Setup(shell::KelmarProcess& process, shell::MainWindowView& mainWindow);

    // Every control from the store; a value that cannot be read leaves its control.
    void LoadSetupFromSettings();
    // Every control to the store.
    void SaveSetupToSettings();
    // The controls to OutputFile_Settings.cfg and back; the store is not touched.
    void ExportSetupFile();
    void ImportSetupFile();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* buildFolderFrame();
    QGroupBox* buildStructureFrame();
    QGroupBox* buildAttributeFrame();
    QGroupBox* buildProgramFrame();
    QGroupBox* buildFileNameFrame();
    QLayout* buildButtons();
    void bindControls();
    void fillNameLists();
    void setNameListsEnabled(bool enabled);
    std::string missingChoices() const;
    void accept();
    void openAdvancedSettings();
    std::string settingsFile() const;

    shell::MainWindowView& main_;
    ControlBindings controls_;
    bool accepted_ = false;

    DriveFolderLists* folders_ = nullptr;
    QRadioButton* optOrvPartProgramFolder_ = nullptr;
    QRadioButton* optSelectedFolder_ = nullptr;
    QRadioButton* optDefaultFolder_ = nullptr;
    QRadioButton* optDFD_ = nullptr;
    QRadioButton* optDFQ_ = nullptr;
    QRadioButton* optAttribute255_ = nullptr;
    QRadioButton* optAttribute256_ = nullptr;
    std::array<QRadioButton*, 2> optFileNameRule_{};
    std::array<QComboBox*, 5> comboFileName_{};
    QComboBox* comboSeperator_ = nullptr;
    std::map<std::string, QCheckBox*> checks_;
    std::vector<QWidget*> nameControls_;
};

}  // namespace kelmar::dialogs
