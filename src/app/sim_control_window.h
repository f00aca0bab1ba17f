#pragma once
// The simulated host's own small window, so a person can drive a run by hand:
// the part program's commands, and buttons to execute, cancel and close.

#include "host/sim/sim_host.h"
#include "platform/code_page.h"

#include <QWidget>

#include <memory>

class QLabel;
class QListWidget;
class QPushButton;

namespace kelmar::app {

class SimControlWindow final : public QWidget {
    Q_OBJECT

public:
    SimControlWindow(std::shared_ptr<host::sim::SimApplication> host, platform::CodePage codePage);
    ~SimControlWindow() override;

    // Places this window beside the main window on its screen: right of it, else left of it,
    // else the main window moves over so that both fit side by side.
    void placeBeside(QWidget& mainWindow);

private:
    void refresh();
    void fillCommands();

    std::shared_ptr<host::sim::SimApplication> host_;
    platform::CodePage codePage_;
    QLabel* state_ = nullptr;
    QListWidget* commands_ = nullptr;
    QPushButton* execute_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace kelmar::app
