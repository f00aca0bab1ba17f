#include "app/frm_main_window.h"
#include "app/frm_main_window_design.h"

#include "shell/qt_text.h"
#include "dialogs/fitted_controls.h"
#include "dialogs/frm_waiting_files.h"
#include "platform/product.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

namespace kelmar::app {

using namespace main_window;

frmMainWindow::frmMainWindow(shell::KelmarProcess& process, QWidget* parent) : QMainWindow(parent), process_(process) {
    setObjectName("frmMainWindow");
    setWindowTitle(QString::fromStdString(versionCaption()));
    buildMenus();
    buildToolbar();
    setCentralWidget(buildCentral());

    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar1");
    panel1_ = dialogs::valueLabel("Panel1", bar);
    panel2_ = dialogs::valueLabel("Panel2", bar);
    panel2_->setMinimumWidth(60);
    cmdWaitingFiles_ = new QPushButton(bar);
    cmdWaitingFiles_->setObjectName("cmdWaitingFiles");
    cmdWaitingFiles_->setFlat(true);
    cmdWaitingFiles_->hide();
    connect(cmdWaitingFiles_, &QPushButton::clicked, this, [this] {
        if (actions_.openDialog) actions_.openDialog("cmdWaitingFiles");
    });
    bar->addWidget(panel1_, 1);
    // The legend of the marked rows of lstMM.
    auto* legendIcon = new QLabel(bar);
    legendIcon->setPixmap(CharacteristicListModel::outOfToleranceIcon().pixmap(16, 16));
    legend_ = new QLabel(bar);
    legend_->setObjectName("lblOutOfToleranceLegend");
    legend_->setAutoFillBackground(true);
    QPalette marked = legend_->palette();
    marked.setColor(QPalette::Window, CharacteristicListModel::outOfToleranceColour());
    marked.setColor(QPalette::WindowText, Qt::black);
    legend_->setPalette(marked);
    bar->addPermanentWidget(legendIcon);
    bar->addPermanentWidget(legend_);
    bar->addPermanentWidget(cmdWaitingFiles_);
    bar->addPermanentWidget(panel2_);
    setStatusBar(bar);
    resize(kWidth, kHeightWithoutPath);
}

void frmMainWindow::showWaitingCount(int count) {
    waitingCount_ = count;
    cmdWaitingFiles_->setText(dialogs::waitingCountText(process_.state.texts, count));
    cmdWaitingFiles_->setVisible(count > 0);
}

QString frmMainWindow::text(int line) const {
    const auto& texts = process_.state.texts;
    return shell::toQt(texts.line(line), texts.codePage);
}

QString frmMainWindow::hostText(const std::string& bytes) const { return shell::toQt(bytes, process_.state.codePage); }

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
        action->setToolTip(withShortcut(text(button.line + 1), *action));
    }
    giveAccessKeys(menuBar()->actions());
    legend_->setText(text(static_cast<int>(settings::Text::OutOfToleranceLegend)));
    panel1_->setText(text(231));
    panel1_->setOwnToolTip(text(232));
    showWaitingCount(waitingCount_);
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
    label->setText(shell::toQt(text, process_.state.texts.codePage));
    label->repaint();
}

std::string frmMainWindow::statusText(int panel) const {
    return shell::fromQt((panel == 2 ? panel2_ : panel1_)->text(), process_.state.texts.codePage);
}

void frmMainWindow::showOnline(bool online) {
    QAction* button = actionsByName_.at("Button1");
    button->setChecked(online);
    button->setIcon(style()->standardIcon(online ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
    actionsByName_.at("Button3")->setEnabled(!online);
}

std::string frmMainWindow::outputPath() const { return shell::fromQt(lblPath_->text(), process_.state.codePage); }

void frmMainWindow::setOutputPath(const std::string& path) { lblPath_->setText(hostText(path)); }

std::string frmMainWindow::partInformation(int which) const {
    const char* labels[] = {"lblOrvPartName", "lblOrvRevNumber", "lblOrvSerNumber"};
    if (which < 0 || which > 2) return {};
    return shell::fromQt(static_cast<QLabel*>(widgets_.at(labels[which]))->text(), process_.state.codePage);
}

void frmMainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    process_.endProgram(process_.ending() ? process_.exitStatus() : 0);
}

}  // namespace kelmar::app
