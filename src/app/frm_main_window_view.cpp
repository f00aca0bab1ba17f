// The main window's characteristic view: the list, the details of the selected row, the checks.

#include "app/frm_main_window.h"
#include "app/frm_main_window_design.h"

#include "dialogs/fitted_controls.h"
#include "platform/number_text.h"
#include "platform/product.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QHeaderView>
#include <QTableView>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelmar::app {

using namespace main_window;
using dialogs::FittedLabel;

namespace {

// Keeps display-only controls from being changed by a click; unlike a widget transparent
// for the mouse, they still show their tooltips.
class IgnoresClicks final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
               type == QEvent::MouseButtonDblClick;
    }
};

}  // namespace

QWidget* frmMainWindow::buildCentral() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    auto named = [this](QWidget* widget, const char* name) {
        widget->setObjectName(name);
        widgets_[name] = widget;
        return widget;
    };

    framePathForOutput_ = static_cast<QGroupBox*>(named(new QGroupBox("Path for Output File"), "framePathForOutput"));
    auto* pathRow = new QHBoxLayout(framePathForOutput_);
    lblPath_ = dialogs::valueLabel("lblPath", nullptr, Qt::ElideMiddle);
    lblPath_->setFrameShape(QFrame::StyledPanel);
    auto* pathSelect = static_cast<QPushButton*>(named(new QPushButton("..."), "cmdPathSelect"));
    pathSelect->setFixedWidth(32);
    connect(pathSelect, &QPushButton::clicked, this, [this] {
        if (actions_.openDialog) actions_.openDialog("cmdPathSelect");
    });
    pathRow->addWidget(lblPath_, 1);
    pathRow->addWidget(pathSelect);
    layout->addWidget(framePathForOutput_);

    auto* data = static_cast<QGroupBox*>(named(new QGroupBox("Characteristic Data"), "frameCharacteristicData"));
    auto* dataLayout = new QHBoxLayout(data);
    auto* listColumn = new QVBoxLayout;
    // A table of one column rather than a list view: its fixed row height keeps an
    // append and the selection of the new last row cheap however long the run is,
    // where a list view lays out every row again.
    lstMM_ = static_cast<QTableView*>(named(new QTableView, "lstMM"));
    lstMM_->setModel(&list_);
    list_.setOutOfToleranceRule([this](int row) { return isOutOfTolerance(row); });
    lstMM_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lstMM_->horizontalHeader()->hide();
    lstMM_->horizontalHeader()->setStretchLastSection(true);
    lstMM_->verticalHeader()->hide();
    lstMM_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lstMM_->verticalHeader()->setDefaultSectionSize(QFontMetrics(lstMM_->font()).height() + 4);
    lstMM_->setShowGrid(false);
    lstMM_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstMM_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstMM_->setWordWrap(false);
    lstMM_->setMinimumHeight(60);
    connect(lstMM_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!appending_ && current.isValid()) showCharacteristic(current.row());
            });
    connect(&list_, &CharacteristicListModel::rowsAppended, this, &frmMainWindow::selectLastRow);
    connect(lstMM_, &QTableView::clicked, this, [this](const QModelIndex& at) { showCharacteristic(at.row()); });
    listColumn->addWidget(lstMM_, 1);
    auto* checkButtons = new QGridLayout;
    struct CheckButton {
        const char* name;
        const char* design;
        std::function<void()> run;
    };
    const CheckButton checks[] = {
        {"cmdClearList", "Uncheck all Values", [this] { list_.checkWhere([](int) { return false; }); }},
        {"cmdCheckList", "Check all Values", [this] { list_.checkWhere([](int) { return true; }); }},
        {"cmdCheckOOT", "Check OOT Values", [this] { checkOotValues(); }},
        {"cmdCheckOK", "Check OK Values", [this] { checkOkValues(); }},
    };
    for (int i = 0; i < 4; ++i) {
        auto* button = static_cast<QPushButton*>(named(new QPushButton(checks[i].design), checks[i].name));
        connect(button, &QPushButton::clicked, this, checks[i].run);
        checkButtons->addWidget(button, i / 2, i % 2);
    }
    listColumn->addLayout(checkButtons);
    auto* events = static_cast<QPushButton*>(named(new QPushButton("Add Events for actual Characteristic "), "cmdQDASData"));
    connect(events, &QPushButton::clicked, this, [this] {
        if (actions_.openDialog) actions_.openDialog("cmdQDASData");
    });
    listColumn->addWidget(events);
    dataLayout->addLayout(listColumn, 3);

    auto* detailColumn = new QVBoxLayout;
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    int row = 0;
    for (const auto& detail : kDetails) {
        grid->addWidget(named(new FittedLabel(detail.design, nullptr), detail.caption), row, 0);
        auto* value = static_cast<QLabel*>(named(dialogs::valueLabel(detail.value, nullptr), detail.value));
        value->setFrameShape(QFrame::StyledPanel);
        value->setMinimumWidth(140);
        value->setAutoFillBackground(true);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, row++, 1);
    }
    detailColumn->addLayout(grid);
    auto* ignoresClicks = new IgnoresClicks(this);
    for (auto [name, design] : {std::pair{"chkOTolNat", "Upper Natural Boundary"},
                                {"chkUTolNat", "Lower Natural Boundary"}, {"chkMarked", "Marked"}}) {
        auto* box = static_cast<QCheckBox*>(named(new QCheckBox(design), name));
        // Display only: the boxes show the selected Characteristic.
        box->installEventFilter(ignoresClicks);
        box->setFocusPolicy(Qt::NoFocus);
        detailColumn->addWidget(box);
    }
    VListComment_ = static_cast<QListWidget*>(named(new QListWidget, "VListComment"));
    VListComment_->setMinimumHeight(40);
    detailColumn->addWidget(VListComment_, 1);
    dataLayout->addLayout(detailColumn, 2);
    layout->addWidget(data, 1);

    auto* part = static_cast<QGroupBox*>(named(new QGroupBox("ORVELAN Part Information"), "frameOrvPart"));
    auto* partGrid = new QGridLayout(part);
    const std::pair<const char*, const char*> partRows[] = {
        {"lblOrvFileNameCaption", "lblOrvFileName"}, {"lblOrvPartNameCaption", "lblOrvPartName"},
        {"lblOrvRevNumberCaption", "lblOrvRevNumber"}, {"lblOrvSerNumberCaption", "lblOrvSerNumber"}};
    const char* partDesigns[] = {"ORVELAN FILE NAME", "ORVELAN PART NAME", "ORVELAN REV NUMBER", "ORVELAN SER NUMBER"};
    for (int i = 0; i < 4; ++i) {
        int gridRow = i % 2, gridColumn = (i / 2) * 2;
        partGrid->addWidget(named(new FittedLabel(partDesigns[i], nullptr), partRows[i].first), gridRow, gridColumn);
        // The file name's end tells most, the other values' start.
        auto* value = static_cast<QLabel*>(named(
            dialogs::valueLabel(partRows[i].second, nullptr, i == 0 ? Qt::ElideMiddle : Qt::ElideRight),
            partRows[i].second));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        partGrid->addWidget(value, gridRow, gridColumn + 1);
    }
    partGrid->setColumnStretch(1, 1);
    partGrid->setColumnStretch(3, 1);
    partGrid->setVerticalSpacing(2);
    layout->addWidget(part);

    progress_ = static_cast<QProgressBar*>(named(new QProgressBar, "ProgressBar_Hauptfenster"));
    progress_->setVisible(false);
    layout->addWidget(progress_);
    return central;
}

void frmMainWindow::appendListEntry(const std::string& entry) { list_.append(hostText(entry)); }

void frmMainWindow::selectLastRow() {
    // The selection follows the newest row; the details stay until the user picks a row.
    appending_ = true;
    const QModelIndex last = list_.index(list_.rowCount() - 1);
    lstMM_->setCurrentIndex(last);
    // Also while the window is hidden behind a dialog or minimised, where the view does not scroll by itself.
    lstMM_->scrollTo(last);
    appending_ = false;
}

void frmMainWindow::clearRunDisplay() {
    list_.clear();
    for (const auto& detail : kDetails) static_cast<QLabel*>(widgets_.at(detail.value))->clear();
    for (const char* box : {"chkMarked", "chkOTolNat", "chkUTolNat"})
        static_cast<QCheckBox*>(widgets_.at(box))->setChecked(false);
    setPanelColour(static_cast<QLabel*>(widgets_.at("lblOOT")), palette().color(QPalette::Button));
    VListComment_->clear();
    repaint();
}

void frmMainWindow::setPanelColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, colour);
    label->setPalette(p);
}

void frmMainWindow::showCharacteristic(int row) {
    const auto& run = process_.state.run;
    int record = row + 1;
    if (row < 0 || record > run.CharacteristicCount()) return;
    const capture::Characteristic& c = run.CharacteristicTable[record];
    const std::pair<const char*, const std::string*> values[] = {
        {"lblNom", &c.Nom},   {"lblMeas", &c.Meas},   {"lblUTol", &c.UTol},   {"lblLTol", &c.LTol},
        {"lblDev", &c.Dev},   {"lblOOT", &c.OOT},     {"lblLSL", &c.LSL},     {"lblUSL", &c.USL},
        {"lblFeat1", &c.Feat1}, {"lblFeat2", &c.Feat2}, {"lblFeat3", &c.Feat3}, {"lblUnit", &c.Unit}};
    for (const auto& [name, value] : values) static_cast<QLabel*>(widgets_.at(name))->setText(hostText(*value));
    setPanelColour(static_cast<QLabel*>(widgets_.at("lblOOT")),
                   isOutOfTolerance(row) ? QColor(255, 0, 0) : QColor(0, 255, 0));
    static_cast<QCheckBox*>(widgets_.at("chkUTolNat"))->setChecked(c.LowerNatural);
    static_cast<QCheckBox*>(widgets_.at("chkMarked"))->setChecked(c.Attribute == "0");
    VListComment_->clear();
    if (const capture::CommentBlock* block = run.commentBlock(c.CommentBlockIndex)) {
        for (int line = 1; line <= 20 && !(*block)[line].empty(); ++line)
            VListComment_->addItem(hostText((*block)[line]));
    }
}

void frmMainWindow::showCurrentCharacteristic() {
    list_.flush();
    if (lstMM_->currentIndex().isValid()) showCharacteristic(lstMM_->currentIndex().row());
}

int frmMainWindow::currentRow() {
    list_.flush();
    return lstMM_->currentIndex().isValid() ? lstMM_->currentIndex().row() : -1;
}

bool frmMainWindow::isOutOfTolerance(int row) const {
    const auto& run = process_.state.run;
    if (row < 0 || row + 1 > run.CharacteristicCount()) return false;
    return platform::parseNumber(run.CharacteristicTable[row + 1].OOT).value_or(0.0) > 0.0;
}

void frmMainWindow::checkOkValues() {
    list_.checkWhere([this](int row) { return !isOutOfTolerance(row); });
    lstMM_->repaint();
}

void frmMainWindow::checkOotValues() {
    int checked = 0;
    list_.checkWhere([this, &checked](int row) {
        bool oot = isOutOfTolerance(row);
        checked += oot;
        return oot;
    });
    lstMM_->repaint();
    process_.messages().information(
        platform::kApplicationTitle,
        process_.state.texts.text(settings::Text::CharacteristicsOutOfTolerance, {std::to_string(checked)}));
}

}  // namespace kelmar::app
