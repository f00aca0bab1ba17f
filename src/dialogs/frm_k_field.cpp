#include "dialogs/frm_k_field.h"

#include "dialogs/admin_gate.h"
#include "dialogs/field_labels.h"
#include "dialogs/fitted_controls.h"
#include "settings/setting_names.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>

namespace kelmar::dialogs {
namespace {

// The fields in the order they are read and stored, frame by frame.
constexpr const char* kAddData[] = {"K0006", "K0007", "K0008", "K0009", "K0010", "K0011", "K0012", "K0053"};
constexpr const char* kPartsData[] = {"K1007", "K1010", "K1011", "K1053", "K1101", "K1203", "K1209", "K1303", "K1900"};
constexpr const char* kCharacteristicsData[] = {"K2005", "K2320", "K2401", "K2402", "K2404"};

struct KFrame {
    const char* name;
    const char* caption;
    std::span<const char* const> fields;
};

constexpr KFrame kFrames[] = {{"Frame1", "Add. Data", kAddData},
                              {"Frame2", "Parts Data", kPartsData},
                              {"Frame4", "Characteristics Data", kCharacteristicsData}};

}  // namespace

frmKField::frmKField(shell::KelmarProcess& process, QWidget& mainWindow) : DialogBase(process, mainWindow, "frmKField") {
    setWindowTitle("Setup for K-Fields");
    auto* layout = new QVBoxLayout(this);
    auto* frames = new QHBoxLayout;
    for (const KFrame& frame : kFrames) {
        auto* box = new QGroupBox(frame.caption, this);
        box->setObjectName(frame.name);
        auto* grid = new QGridLayout(box);
        for (const char* field : frame.fields) {
            std::string key = field;
            auto* check = new QCheckBox(field, box);
            check->setObjectName(QString::fromStdString("chk" + key));
            // A field without a stored flag is offered by the form, so it shows ticked.
            check->setChecked(true);
            auto* label = fittedLabel(fieldLabel(process_, key), QString::fromStdString("lbl" + key), box);
            int row = grid->rowCount();
            grid->addWidget(check, row, 0);
            grid->addWidget(label, row, 1);
            boxes_[key] = check;
        }
        grid->setRowStretch(grid->rowCount(), 1);
        frames->addWidget(box);
    }
    layout->addLayout(frames);
    auto [buttons, ok, cancel] = okCancelRow();
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &frmKField::accept);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    applyCaptions({{"", 149}, {"Frame1", 150}, {"Frame2", 151}, {"Frame4", 152}, {"cmdOK", 153}, {"cmdCancel", 154}});

    setDesignSize(9900, 4950);

    auto& store = process_.settings();
    for (const KFrame& frame : kFrames)
        for (const char* field : frame.fields)
            if (auto on = store.readFlag(settings::SettingsStore::kFieldName(field))) boxes_.at(field)->setChecked(*on);
}

void frmKField::accept() {
    if (adminGate(process_)) {
        auto& store = process_.settings();
        for (const KFrame& frame : kFrames)
            for (const char* field : frame.fields)
                store.writeCheck(settings::SettingsStore::kFieldName(field), boxes_.at(field)->isChecked());
    }
    close();
}

}  // namespace kelmar::dialogs
