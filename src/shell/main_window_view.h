#pragma once
// What a dialog may ask of the main window, so dialogs need not know the window's class.

#include <QWidget>

#include <string>

namespace kelmar::shell {

class MainWindowView {
public:
    virtual QWidget& widget() = 0;
    // Rows in the characteristic list, and the current one (-1 when none is current).
    virtual int characteristicCount() const = 0;
    virtual int currentRow() = 0;
    // The output path caption and whether its frame is shown.
    virtual void setOutputPath(const std::string& path) = 0;
    virtual void showOutputFrame(bool visible) = 0;

protected:
    ~MainWindowView() = default;
};

}  // namespace kelmar::shell
