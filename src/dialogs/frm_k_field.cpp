#include "dialogs/frm_k_field.h"

#include "dialogs/admin_gate.h"
#include "dialogs/fitted_controls.h"
#include "settings/field_description_file.h"

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

struct KField {
    const char* key;
    const char* label;
    bool ticked;  // the design state, shown while no flag is stored
};

// The fields in the order they are read and stored, frame by frame.
constexpr KField kAddData[] = {{"K0006", "Part Serial Number", true},
                               {"K0007", "Fixture Position", true},
                               {"K0008", "Operator", true},
                               {"K0009", "Text", true},
                               {"K0010", "Machine", true},
                               {"K0011", "Process Parameter", true},
                               {"K0012", "Gage", true},
                               {"K0053", "Order", false}};
constexpr KField kPartsData[] = {
    {"K1007", "Part number short", true}, {"K1010", "Control Item", false}, {"K1011", "Variante", true},
    {"K1053", "Contract", false},         {"K1101", "Department", true},    {"K1203", "Reason for Test", true},
    {"K1209", "Inspection type", false},  {"K1303", "Plant", true},         {"K1900", "Remark", true}};
constexpr KField kCharacteristicsData[] = {{"K2005", "Characteristic Class", false},
                                           {"K2320", "Contract number", true},
                                           {"K2401", "Gage number", true},
                                           {"K2402", "Gage description", true},
                                           {"K2404", "Gage Resolution", true}};

struct KFrame {
    const char* name;
    const char* caption;
    std::span<const KField> fields;
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
        for (const KField& field : frame.fields) {
            std::string key = field.key;
            auto* check = new QCheckBox(field.key, box);
            check->setObjectName(QString::fromStdString("chk" + key));
            check->setChecked(field.ticked);
            auto* label = fittedLabel(field.label, QString::fromStdString("lbl" + key), box);
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

    applyCaptions({{"", 149},
                   {"Frame1", 150},
                   {"Frame2", 151},
                   {"Frame4", 152},
                   {"cmdOK", 153},
                   {"cmdCancel", 154},
                   {"lblK1007", 155},
                   {"lblK1010", 156},
                   {"lblK1011", 157},
                   {"lblK1053", 158},
                   {"lblK1101", 159},
                   {"lblK1203", 160},
                   {"lblK1303", 161},
                   {"lblK1900", 162},
                   {"lblK2005", 163},
                   {"lblK2404", 164}});

    setDesignSize(9900, 4950);

    auto& store = process_.settings();
    for (const KFrame& frame : kFrames)
        for (const KField& field : frame.fields)
            if (auto on = store.readFlag(settings::SettingsStore::kFieldName(field.key)))
                boxes_.at(field.key)->setChecked(*on);
    // The user's own label texts, written by the field description dialog.
    for (const auto& field : settings::kFieldDescriptions)
        if (auto stored = store.readText(settings::fieldTextSetting(field.key)))
            if (auto* label = findChild<QLabel*>(QString("lbl") + field.key))
                label->setText(shell::toQt(*stored, process_.state.codePage));
}

void frmKField::accept() {
    if (adminGate(process_)) {
        auto& store = process_.settings();
        for (const KFrame& frame : kFrames)
            for (const KField& field : frame.fields)
                store.writeCheck(settings::SettingsStore::kFieldName(field.key), boxes_.at(field.key)->isChecked());
    }
    close();
}

}  // namespace kelmar::dialogs
