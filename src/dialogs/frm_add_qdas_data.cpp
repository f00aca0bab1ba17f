#include "dialogs/frm_add_qdas_data.h"

#include "shell/main_window_view.h"
#include "capture/run_data.h"
#include "dialogs/catalog_list_items.h"
#include "dialogs/fitted_controls.h"
#include "dialogs/frm_dateneingabe.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelmar::dialogs {
frmAddQdasData::frmAddQdasData(shell::KelmarProcess& process, shell::MainWindowView& mainWindow, DataEntryForm& dataEntry)
    : DialogBase(process, mainWindow.widget(), "frmAddQdasData"), main_(mainWindow) {
    setWindowTitle("Add. Data Dialog");
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");
    auto* grid = new QGridLayout(frame);
    QLabel* lblK2060 = fittedLabel("K2060", "lblK2060", frame);
    grid->addWidget(lblK2060, 0, 0);
    grid->addWidget(fittedLabel("Use Catalog", "Label28", frame), 0, 1);
    lstKatalog_ = new QListWidget(frame);
    lstKatalog_->setObjectName("lstKatalog");
    grid->addWidget(lstKatalog_, 1, 0, 1, 2);
    QLabel* lblKey = fittedLabel("K0005", "lblKey", frame);
    grid->addWidget(lblKey, 2, 0);
    grid->addWidget(fittedLabel("Events", "Label2", frame), 2, 1);
    // A click toggles an event.
    lstEvents_ = new QListWidget(frame);
    lstEvents_->setObjectName("lstEvents");
    lstEvents_->setSelectionMode(QAbstractItemView::MultiSelection);
    grid->addWidget(lstEvents_, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    layout->addWidget(frame, 1);
    auto [buttons, ok, cancel] = okCancelRow();
    layout->addLayout(buttons);

    if (main_.characteristicCount() == 0) {
        applyCaptions({{"", 142}});
    } else {
        characteristic_ = main_.currentRow() + 1;
        const QString n = QString::number(characteristic_);
        applyCaptions({{"", 143}});
        setWindowTitle(windowTitle() + " " + n);
        lblKey->setText("K0005/" + n);
        lblK2060->setText("K2060/" + n);
    }
    applyCaptions({{"Label2", 144}, {"Label28", 145}, {"cmdOK", 146}, {"cmdCancel", 147}});

    connect(lstKatalog_, &QListWidget::itemSelectionChanged, this, [this] {
        listEventsOfSelectedGroup(*lstEvents_, *lstKatalog_, process_.state.catalog, process_.state.codePage);
    });
    frm_Dateneingabe& form = dataEntry.form();
    addEntries(*lstKatalog_, form.eventGroupEntries(), process_.state.codePage);
    if (int selected = form.selectedEventGroup(); selected >= 0) lstKatalog_->setCurrentRow(selected);

    connect(ok, &QPushButton::clicked, this, &frmAddQdasData::accept);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    setDesignSize(6300, 7650);
}

void frmAddQdasData::accept() {
    // With characteristics listed but none current there is no record to store into.
    if (characteristic_ >= 1) {
        auto& run = process_.state.run;
        if (run.growQdasData(characteristic_)) {
            auto& fields = run.CharacteristicQdasData[static_cast<size_t>(characteristic_)].fields;
            fields[capture::field::K0005] = selectedEventNumbers(*lstEvents_);
            fields[capture::field::K2060] = selectedGroupNumber(*lstKatalog_, process_.state.catalog);
        }
    }
    close();
}

}  // namespace kelmar::dialogs
