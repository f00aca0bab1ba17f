#include "app/main_window_ports.h"

#include <QProgressBar>

#include <algorithm>

namespace kelmar::app {

void MainWindowPorts::setProgressMaximum(int maximum) {
    window_.progressBar()->setMaximum(maximum);
    window_.progressBar()->repaint();
}

void MainWindowPorts::setProgressValue(int value) {
    QProgressBar* bar = window_.progressBar();
    if (value < bar->minimum() || value > bar->maximum()) return;
    bar->setValue(value);
    // A bar has a few hundred visible steps; painting each of 32767 values would only cost time.
    int stride = std::max(1, (bar->maximum() - bar->minimum()) / 200);
    if (value % stride == 0 || value == bar->maximum()) bar->repaint();
}

void MainWindowPorts::setProgressVisible(bool visible) { window_.progressBar()->setVisible(visible); }

void MainWindowPorts::stepProgress() { setProgressValue(window_.progressBar()->value() + 1); }

void MainWindowPorts::markAllCharacteristics() {
    window_.listModel().checkWhere([](int) { return true; });
}

}  // namespace kelmar::app
