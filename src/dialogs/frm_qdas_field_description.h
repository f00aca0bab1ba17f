#pragma once
// The field description dialog: the label texts of 12 K-fields, with export
// to and import from QDAS_Settings.cfg.

#include "dialogs/dialog_support.h"
#include "settings/field_description_file.h"

#include <array>

class QLineEdit;

namespace kelmar::dialogs {

class frmQdasFieldDescription final : public DialogBase {
    Q_OBJECT

public:
    frmQdasFieldDescription(shell::KelmarProcess& process, QWidget& mainWindow);

private:
    settings::FieldTexts texts() const;
    void accept();
    void exportTexts();
    void importTexts();
    std::string exportFile() const;

    // Indexed like settings::kFieldDescriptions.
    std::array<QLineEdit*, settings::kFieldDescriptionCount> boxes_{};
};

}  // namespace kelmar::dialogs
