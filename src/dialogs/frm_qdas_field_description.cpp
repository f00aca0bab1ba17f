#include "dialogs/frm_qdas_field_description.h"

#include "dialogs/admin_gate.h"
#include "dialogs/field_labels.h"
#include "dialogs/fitted_controls.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelmar::dialogs {

frmQdasFieldDescription::frmQdasFieldDescription(shell::KelmarProcess& process, QWidget& mainWindow)
    : DialogBase(process, mainWindow, "frmQdasFieldDescription") {
    setWindowTitle("Q-DAS ASCII Field Description");
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox("Field Description", this);
    frame->setObjectName("frame1");
    auto* form = new QFormLayout(frame);
    for (size_t i = 0; i < settings::kFieldDescriptionCount; ++i) {
        std::string key = settings::kFieldDescriptions[i].key;
        auto* label = fittedLabel(QString::fromStdString(key), QString::fromStdString("lbl" + key), frame);
        boxes_[i] = new QLineEdit(frame);
        boxes_[i]->setObjectName(QString::fromStdString("txt" + key));
        form->addRow(label, boxes_[i]);
    }
    layout->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const char* caption, auto action) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, action);
        buttons->addWidget(b);
        return b;
    };
    button("cmdSave", "Export Settings", &frmQdasFieldDescription::exportTexts);
    button("cmdLoad", "Import Settings", &frmQdasFieldDescription::importTexts);
    buttons->addStretch();
    button("cmdOK", "OK", &frmQdasFieldDescription::accept)->setDefault(true);
    button("cmdCancel", "Cancel", &QWidget::close);
    layout->addLayout(buttons);

    applyCaptions({{"", 170}, {"cmdOK", 171}, {"cmdCancel", 172}, {"cmdSave", 173}, {"cmdLoad", 174}, {"frame1", 175}});
    for (size_t i = 0; i < settings::kFieldDescriptionCount; ++i)
        boxes_[i]->setText(fieldLabel(process_, settings::kFieldDescriptions[i].key));
    setDesignSize(6300, 6450);
}

settings::FieldTexts frmQdasFieldDescription::texts() const {
    settings::FieldTexts texts;
    for (size_t i = 0; i < texts.size(); ++i) texts[i] = shell::fromQt(boxes_[i]->text(), process_.state.codePage);
    return texts;
}

std::string frmQdasFieldDescription::exportFile() const {
    return settings::fieldDescriptionFilePath(process_.state.programFolder);
}

void frmQdasFieldDescription::accept() {
    if (adminGate(process_)) {
        // A label left at the language's default is stored empty, so it follows the language.
        settings::FieldTexts stored = texts();
        for (size_t i = 0; i < stored.size(); ++i)
            if (boxes_[i]->text() == defaultFieldLabel(process_.state.texts, settings::kFieldDescriptions[i].key))
                stored[i].clear();
        settings::SaveFieldTexts(process_.settings(), stored);
    }
    close();
}

void frmQdasFieldDescription::exportTexts() {
    // Like the import, this tells nothing either way.
    settings::ExportFieldDescriptions(process_.files(), exportFile(), texts());
}

void frmQdasFieldDescription::importTexts() {
    auto imported = settings::ImportFieldDescriptions(process_.files(), exportFile());
    for (size_t i = 0; i < imported.size(); ++i)
        if (imported[i]) boxes_[i]->setText(shell::toQt(*imported[i], process_.state.codePage));
}

}  // namespace kelmar::dialogs
