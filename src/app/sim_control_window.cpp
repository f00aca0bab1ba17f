#include "app/sim_control_window.h"

#include "shell/qt_text.h"
#include "host/host_step.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kelmar::app {
namespace {

QString describe(host::Command& command, platform::CodePage codePage) {
    auto text = [&](auto read) { return shell::toQt(host::readOr(read, std::string("?")), codePage); };
    QString kind = QString::number(host::readOr([&] { return command.Type(); }, 0));
    QString id = text([&] { return command.Id(); });
    if (host::readOr([&] { return command.IsDimension(); }, false)) return kind + "  dimension  " + id;
    if (host::readOr([&] { return command.IsComment(); }, false))
        return kind + "  comment  " + text([&] { return command.GetComment()->Line(1); });
    if (host::readOr([&] { return command.IsStatistics(); }, false))
        return kind + "  statistics  " + QString::number(host::readOr([&] { return command.GetStatistics()->State(); }, -1));
    if (host::readOr([&] { return command.IsTraceField(); }, false))
        return kind + "  trace field  " + text([&] { return command.GetTraceField()->Name(); }) + " = " +
               text([&] { return command.GetTraceField()->Value(); });
    return kind + "  " + id;
}

}  // namespace

SimControlWindow::SimControlWindow(std::shared_ptr<host::sim::SimApplication> host, platform::CodePage codePage)
    : QWidget(nullptr, Qt::Window), host_(std::move(host)), codePage_(codePage) {
    setObjectName("SimControlWindow");
    setWindowTitle("ORVELAN (simulated)");
    auto* layout = new QVBoxLayout(this);
    state_ = new QLabel(this);
    layout->addWidget(state_);
    commands_ = new QListWidget(this);
    commands_->setObjectName("simCommands");
    layout->addWidget(commands_, 1);
    auto* buttons = new QHBoxLayout;
    execute_ = new QPushButton("Execute", this);
    execute_->setObjectName("simExecute");
    cancel_ = new QPushButton("Cancel execution", this);
    cancel_->setObjectName("simCancel");
    close_ = new QPushButton("Close part program", this);
    close_->setObjectName("simClose");
    for (QPushButton* button : {execute_, cancel_, close_}) buttons->addWidget(button);
    layout->addLayout(buttons);

    // The execution runs through the event loop, so a click only queues it.
    connect(execute_, &QPushButton::clicked, this, [this] {
        QTimer::singleShot(0, this, [this] { host_->execute(); });
    });
    connect(cancel_, &QPushButton::clicked, this, [this] { host_->cancelExecution(); });
    connect(close_, &QPushButton::clicked, this, [this] { host_->closePartProgram(); });
    host_->setStateListener([this] { QTimer::singleShot(0, this, [this] { refresh(); }); });
    fillCommands();
    refresh();
    resize(420, 360);
}

// The host lives on with the process; it must not call back into a closed window.
SimControlWindow::~SimControlWindow() { host_->setStateListener({}); }

void SimControlWindow::placeBeside(QWidget& mainWindow) {
    constexpr int kGap = 12;
    const QRect screen = mainWindow.screen()->availableGeometry();
    const QRect main = mainWindow.frameGeometry();
    // The frame adds the title bar and borders once a window manager has decorated the window.
    const QSize own = frameGeometry().size().expandedTo(size());
    const int top = std::max(screen.top(), main.top());
    if (main.right() + kGap + own.width() <= screen.right()) {
        move(main.right() + 1 + kGap, top);
    } else if (main.left() - kGap - own.width() >= screen.left()) {
        move(main.left() - kGap - own.width(), top);
    } else {
        mainWindow.move(screen.left(), main.top());
        move(std::min(screen.left() + main.width() + kGap, screen.right() + 1 - own.width()), top);
    }
}

void SimControlWindow::fillCommands() {
    commands_->clear();
    auto program = host_->partProgram();
    if (!program) return;
    for (const auto& command : program->commandList()) commands_->addItem(describe(*command, codePage_));
}

void SimControlWindow::refresh() {
    auto program = host_->partProgram();
    QString name = program ? shell::toQt(host::readOr([&] { return program->Name(); }, std::string()), codePage_)
                           : QStringLiteral("(no part program)");
    QString state = host_->isExecuting() ? "executing" : host_->isBound() ? "converter online" : "idle";
    state_->setText(name + "  —  " + state);
    execute_->setEnabled(program && !host_->isExecuting());
    cancel_->setEnabled(host_->isExecuting());
    close_->setEnabled(program != nullptr);
    if (!program) commands_->clear();
}

}  // namespace kelmar::app
