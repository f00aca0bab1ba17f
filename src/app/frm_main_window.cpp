#include "app/frm_main_window.h"

#include "app/qt_text.h"
#include "dialogs/fitted_controls.h"
#include "host/host_step.h"
#include "platform/number_text.h"
#include "platform/paths.h"
#include "platform/product.h"
#include "platform/text.h"
#include "settings/setting_names.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QHeaderView>
#include <QTableView>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace kelmar::app {
namespace {

namespace names = settings::names;
using dialogs::FittedLabel;

// The window's design size: its height with and without the output-path frame.
constexpr int kHeightWithPath = dialogs::pixelsFromTwips(10005);
constexpr int kHeightWithoutPath = dialogs::pixelsFromTwips(9195);
constexpr int kWidth = dialogs::pixelsFromTwips(12300);
// Status panel 1 while online; the offline import's texts in status panel 2.
constexpr int kOnlineLine = 233;
constexpr int kImportRunningLine = 238;
constexpr int kImportFinishedLine = 239;

struct Caption {
    const char* name;
    int line;
};

// Every control and menu entry whose caption comes from a language line.
constexpr Caption kCaptions[] = {
    {"framePathForOutput", 230}, {"frameCharacteristicData", 209}, {"cmdClearList", 210},
    {"cmdCheckList", 211},       {"cmdCheckOOT", 212},             {"cmdCheckOK", 213},
    {"cmdQDASData", 214},        {"Label1", 215},                  {"Label2", 216},
    {"Label3", 217},             {"Label4", 218},                  {"Label5", 219},
    {"Label6", 220},             {"Label7", 221},                  {"Label10", 222},
    {"Label9", 223},             {"Label12", 224},                 {"Label11", 225},
    {"Label8", 226},             {"chkOTolNat", 227},              {"chkUTolNat", 228},
    {"chkMarked", 229},          {"frameOrvPart", 204},            {"lblOrvFileNameCaption", 205},
    {"lblOrvPartNameCaption", 206}, {"lblOrvRevNumberCaption", 207}, {"lblOrvSerNumberCaption", 208},
};

constexpr Caption kMenuCaptions[] = {
    {"menuFile", 178},       {"menuLanguage", 179},    {"menuEnglish", 180},      {"menuGerman", 181},
    {"menuFrench", 182},     {"menuItalian", 183},     {"menuCzech", 184},        {"menuSpanish", 185},
    {"menuPortuguese", 186}, {"menuExit", 187},        {"menuPreferences", 188},  {"menuSetup", 189},
    {"menuMonitor", 190},    {"menuQdasSettings", 191}, {"menuQdasKeySetup", 192}, {"menuHelp", 193},
    {"menuAbout", 195},
};

// Toolbar buttons: name, caption line (the tooltip is the next line).
constexpr Caption kToolbarButtons[] = {{"Button1", 196}, {"Button3", 198}, {"Button5", 200}, {"Button7", 202}};

// Detail rows: caption label, value label, design caption (the limits' long captions come from lines 222 and 223).
struct DetailRow {
    const char* caption;
    const char* value;
    const char* design;
};
constexpr DetailRow kDetails[] = {
    {"Label1", "lblNom", "Nominal"},         {"Label2", "lblMeas", "Measured"},
    {"Label3", "lblUTol", "UTol"},           {"Label4", "lblLTol", "LTol"},
    {"Label5", "lblDev", "Deviation"},       {"Label6", "lblOOT", "Out of Tol"},
    {"Label7", "lblUnit", "Unit"},           {"Label10", "lblUSL", "USL"},
    {"Label9", "lblLSL", "LSL"},             {"Label12", "lblFeat1", "Feature 1"},
    {"Label11", "lblFeat2", "Feature 2"},    {"Label8", "lblFeat3", "Feature 3"},
};

constexpr const char* kLanguageMenus[] = {"menuEnglish", "menuGerman",  "menuFrench",     "menuItalian",
                                          "menuCzech",   "menuSpanish", "menuPortuguese", "menuHungaria"};

std::string versionCaption() { return std::string("Kelmar Version ") + platform::kVersion; }

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

frmMainWindow::frmMainWindow(KelmarProcess& process, QWidget* parent) : QMainWindow(parent), process_(process) {
    setObjectName("frmMainWindow");
    setWindowTitle(QString::fromStdString(versionCaption()));
    buildMenus();
    buildToolbar();
    setCentralWidget(buildCentral());

    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar1");
    panel1_ = dialogs::fittedLabel("", "Panel1", bar);
    panel2_ = dialogs::fittedLabel("", "Panel2", bar);
    panel2_->setMinimumWidth(60);
    bar->addWidget(panel1_, 1);
    bar->addPermanentWidget(panel2_);
    setStatusBar(bar);
    resize(kWidth, kHeightWithoutPath);
}

void frmMainWindow::buildMenus() {
    auto addAction = [this](QMenu* menu, const char* name, const char* design, auto handler) {
        QAction* action = menu->addAction(QString::fromUtf8(design));
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        actionsByName_[name] = action;
        return action;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("menuFile");
    QMenu* language = file->addMenu("Language");
    language->setObjectName("menuLanguage");
    const char* designs[] = {"English", "German", "French", "Italian", "Czech", "Spanish", "Portuguese", "Hungaria"};
    for (int n = 1; n <= 8; ++n) {
        QAction* action = addAction(language, kLanguageMenus[n - 1], designs[n - 1], [this, n] { chooseLanguage(n); });
        action->setCheckable(true);
        languageActions_[n] = action;
    }
    file->addSeparator()->setObjectName("menuFileTrennlinie1");
    addAction(file, "menuExit", "Exit", [this] { close(); });

    QMenu* preferences = menuBar()->addMenu("&Preferences");
    preferences->setObjectName("menuPreferences");
    for (auto [name, design] : {std::pair{"menuSetup", "Setup"}, {"menuMonitor", "Q-DAS Monitoring"},
                                {"menuQdasSettings", "Q-DAS Settings"}, {"menuQdasKeySetup", "Setup for Q-DAS Keys"}})
        addAction(preferences, name, design, [this, dialog = std::string(name)] {
            if (actions_.openDialog) actions_.openDialog(dialog);
        });

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("menuHelp");
    help->addSeparator()->setObjectName("menuHelpTrenn1");
    addAction(help, "menuAbout", "About Kelmar...", [this] {
        if (actions_.openDialog) actions_.openDialog("menuAbout");
    });
    // Stored on the window so findChild reaches the menus by name.
    for (QMenu* menu : {file, language, preferences, help}) widgets_[menu->objectName().toStdString()] = menu;
}

void frmMainWindow::buildToolbar() {
    toolbar_ = addToolBar("Toolbar1");
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct Button {
        const char* name;
        const char* caption;
        const char* tooltip;
        QStyle::StandardPixmap icon;
        std::function<void()> run;
    };
    const Button buttons[] = {
        {"Button1", "Online", "Import ONLINE On/Off", QStyle::SP_MediaPlay,
         [this] {
             if (actions_.toggleOnline) actions_.toggleOnline();
         }},
        {"Button3", "Offline", "Import OFFLINE", QStyle::SP_FileDialogContentsView,
         [this] {
             if (actions_.offline) actions_.offline();
         }},
        {"Button5", "ASCII Export", "Create Q-DAS ASCII file", QStyle::SP_DialogSaveButton,
         [this] {
             if (actions_.asciiExport) actions_.asciiExport();
         }},
        {"Button7", "Exit", "Close Application", QStyle::SP_DialogCloseButton, [this] { close(); }},
    };
    bool first = true;
    for (const auto& button : buttons) {
        if (!first) toolbar_->addSeparator();
        first = false;
        QAction* action = toolbar_->addAction(style()->standardIcon(button.icon), button.caption);
        action->setObjectName(button.name);
        action->setToolTip(button.tooltip);
        connect(action, &QAction::triggered, this, button.run);
        actionsByName_[button.name] = action;
    }
    // The Online button shows its state: pressed with the second image while online.
    actionsByName_["Button1"]->setCheckable(true);
}

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
    lblPath_ = static_cast<QLabel*>(named(new FittedLabel("", nullptr, Qt::ElideMiddle), "lblPath"));
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
        auto* value = static_cast<QLabel*>(named(new FittedLabel("", nullptr), detail.value));
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
        auto* value = static_cast<QLabel*>(
            named(new FittedLabel("", nullptr, i == 0 ? Qt::ElideMiddle : Qt::ElideRight), partRows[i].second));
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

QString frmMainWindow::text(int line) const {
    const auto& texts = process_.state.texts;
    return toQt(texts.line(line), texts.codePage);
}

QString frmMainWindow::hostText(const std::string& bytes) const { return toQt(bytes, process_.state.codePage); }

void frmMainWindow::applyCaptions() {
    setWindowTitle(text(177) + " " + platform::kVersion);
    for (const auto& caption : kCaptions) {
        QWidget* widget = widgets_.at(caption.name);
        if (auto* box = qobject_cast<QGroupBox*>(widget)) box->setTitle(text(caption.line));
        else if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text(caption.line));
        else if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text(caption.line));
    }
    for (const auto& caption : kMenuCaptions) {
        if (auto it = actionsByName_.find(caption.name); it != actionsByName_.end())
            it->second->setText(text(caption.line));
        else if (auto menu = widgets_.find(caption.name); menu != widgets_.end())
            static_cast<QMenu*>(menu->second)->setTitle(text(caption.line));
    }
    for (const auto& button : kToolbarButtons) {
        QAction* action = actionsByName_.at(button.name);
        action->setText(text(button.line));
        action->setToolTip(text(button.line + 1));
    }
    panel1_->setText(text(231));
    panel1_->setOwnToolTip(text(232));
}

bool frmMainWindow::startUp() {
    auto& state = process_.state;
    setWindowTitle(QString::fromStdString(versionCaption()));
    // The settings store counts as open from the first start-up's step 4 on.
    settings::LanguageContext language{process_.files(), process_.messages(), state.programFolder,
                                       shellCreated_ ? &process_.settings() : nullptr,
                                       [this](const std::string& s) { setStatusText(1, s); }};
    if (!settings::LoadLanguageTexts(state.texts, language)) {
        process_.endProgram(1);
        return false;
    }
    show();
    repaint();
    shellCreated_ = true;

    ConnectionContext connection{process_.locator(), process_.messages(), state.texts};
    if (!OrvConnect(state.connection, connection)) {
        process_.endProgram(1);
        return false;
    }
    checkHostVersion();
    widgets_.at("lblOrvFileName")->setProperty("text", hostText(state.connection.PartProgramFileName));
    widgets_.at("lblOrvPartName")->setProperty("text", hostText(GetPartName(state.connection, connection)));
    widgets_.at("lblOrvRevNumber")->setProperty("text", hostText(GetPartRevision(state.connection, connection)));
    widgets_.at("lblOrvSerNumber")->setProperty("text", hostText(GetSerialNumber(state.connection, connection)));
    applyCaptions();
    markLanguage(process_.settings().languageNumber());
    askForCatalog();
    applyOutputFrame();
    auto& store = process_.settings();
    state.run.DimensionNumber = store.readFlagOr(names::DimensionNumber, false, true);
    state.run.DimensionName = store.readFlagOr(names::DimensionName, false, true);

    std::vector<const char*> argv;
    for (const auto& arg : state.argv) argv.push_back(arg.c_str());
    state.args = platform::commandLineFromArgv(static_cast<int>(argv.size()), argv.data(), 2);
    if (state.args.automaticOnline() && actions_.toggleOnline) actions_.toggleOnline();
    return true;
}

void frmMainWindow::checkHostVersion() {
    auto& app = *process_.state.connection.HostApplication;
    std::string version = std::to_string(host::readOr([&] { return app.MajorVersion(); }, 0)) + "." +
                          std::to_string(host::readOr([&] { return app.MinorVersion(); }, 0));
    if (version == "4.2" || version == "4.3" || version == "2009.0") return;
    const auto& t = process_.state.texts;
    process_.messages().information(platform::kApplicationTitle,
                                    t.line(245) + "\n" + t.line(246) + version + "\n" + t.line(247));
}

void frmMainWindow::markLanguage(int number) {
    if (number < 1 || number > 8) number = 1;
    for (auto& [n, action] : languageActions_) action->setChecked(n == number);
}

void frmMainWindow::chooseLanguage(int number) {
    auto& state = process_.state;
    settings::LanguageContext language{process_.files(), process_.messages(), state.programFolder,
                                       &process_.settings(), [this](const std::string& s) { setStatusText(1, s); }};
    // Panel 2 shows either the statistics state or one of the offline import's lines;
    // a line is shown again in the new language.
    int panel2Line = 0;
    for (int line : {kImportRunningLine, kImportFinishedLine})
        if (!state.texts.line(line).empty() && statusText(2) == state.texts.line(line)) panel2Line = line;
    bool restarted = true;
    bool onlineAgain = false;
    settings::SwitchLanguage(state.texts, language, settings::languageBaseName(number), [&] {
        // Start-up attaches afresh and resets the panels, so online mode ends first.
        if (actions_.leaveOnline) actions_.leaveOnline();
        restarted = startUp();
        onlineAgain = statusText(1) == state.texts.line(kOnlineLine);
    });
    if (!restarted || process_.ending()) return;
    // The texts are loaded once more after start-up; the panel keeps telling the mode
    // that start-up's command line switched on (/A).
    if (onlineAgain) setStatusText(1, state.texts.line(kOnlineLine));
    if (panel2Line) setStatusText(2, state.texts.line(panel2Line));
    markLanguage(number);
    process_.settings().writeInt(names::Language, number);
}

void frmMainWindow::askForCatalog() {
    auto& store = process_.settings();
    auto catalog = store.readText(names::CatalogPathName);
    if (catalog && !platform::trimBlanks(*catalog).empty()) return;
    const auto& t = process_.state.texts;
    process_.messages().information(platform::kApplicationTitle, t.line(243) + "\n" + t.line(242));
    auto chosen = process_.dialogs().openFile(t.line(244), platform::joinPath(process_.state.programFolder, "Catalogs"),
                                              "Q-DAS Catalog File (*.dfd)");
    store.writeText(names::CatalogPathName, chosen.value_or(""));
}

void frmMainWindow::applyOutputFrame() {
    auto& store = process_.settings();
    bool select = store.readFlag(names::SelectFolder).value_or(false);
    if (select) {
        if (auto last = store.readText(names::LastSelectedPath)) setOutputPath(*last);
    }
    showOutputFrame(select);
}

void frmMainWindow::showOutputFrame(bool visible) {
    framePathForOutput_->setVisible(visible);
    fitIntoScreen(QSize(kWidth, visible ? kHeightWithPath : kHeightWithoutPath));
}

void frmMainWindow::fitIntoScreen(QSize designSize) {
    // Measured with the style's final fonts and margins, as shown.
    ensurePolished();
    const QRect room = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize size = dialogs::fittedSize(*this, designSize, room.size() - frame);
    resize(size);
    move(dialogs::keptInside(QRect(pos(), size + frame), room).topLeft());
}

void frmMainWindow::setStatusText(int panel, const std::string& text) {
    QLabel* label = panel == 2 ? panel2_ : panel1_;
    label->setText(toQt(text, process_.state.texts.codePage));
    label->repaint();
}

std::string frmMainWindow::statusText(int panel) const {
    return fromQt((panel == 2 ? panel2_ : panel1_)->text(), process_.state.texts.codePage);
}

void frmMainWindow::appendListEntry(const std::string& entry) { list_.append(hostText(entry)); }

void frmMainWindow::selectLastRow() {
    // The selection follows the newest row; the details stay until the user picks a row.
    appending_ = true;
    lstMM_->setCurrentIndex(list_.index(list_.rowCount() - 1));
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
    process_.messages().information(platform::kApplicationTitle,
                                    std::to_string(checked) + " Characteristics are out of tolerance.");
}

void frmMainWindow::showOnline(bool online) {
    QAction* button = actionsByName_.at("Button1");
    button->setChecked(online);
    button->setIcon(style()->standardIcon(online ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
    actionsByName_.at("Button3")->setEnabled(!online);
}

std::string frmMainWindow::outputPath() const { return fromQt(lblPath_->text(), process_.state.codePage); }

void frmMainWindow::setOutputPath(const std::string& path) { lblPath_->setText(hostText(path)); }

std::string frmMainWindow::partInformation(int which) const {
    const char* labels[] = {"lblOrvPartName", "lblOrvRevNumber", "lblOrvSerNumber"};
    if (which < 0 || which > 2) return {};
    return fromQt(static_cast<QLabel*>(widgets_.at(labels[which]))->text(), process_.state.codePage);
}

void frmMainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    process_.endProgram(process_.ending() ? process_.exitStatus() : 0);
}

}  // namespace kelmar::app
