#pragma once
// What every dialog of the main window shares: it opens at its design size, centred
// on the main window and inside the screen, hides the main window while open and
// shows it again where it was; Escape cancels it; captions come from language lines.

#include "shell/kelmar_process.h"
#include "shell/qt_text.h"

#include <QWidget>

#include <initializer_list>
#include <utility>

class QHBoxLayout;
class QPushButton;

namespace kelmar::dialogs {

// The OK and Cancel buttons at the right of a row, the way every dialog shows them.
struct ButtonRow {
    QHBoxLayout* row;
    QPushButton* ok;
    QPushButton* cancel;
};

class DialogBase : public QWidget {
    Q_OBJECT

public:
    DialogBase(shell::KelmarProcess& process, QWidget& mainWindow, const char* objectName);

    // Shows the dialog centred on the main window and hides the main window.
    void open();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape acts as the dialog's Cancel button, or as its close box when it has none;
    // Enter presses the default button.
    void keyPressEvent(QKeyEvent* event) override;
    // The size the window opens with, in twips (15 to a pixel): the least it takes; it grows to show its texts whole.
    void setDesignSize(int widthTwips, int heightTwips);
    QString text(int line) const;
    QString text(settings::Text id) const { return text(static_cast<int>(id)); }
    // (control object name, language line) pairs; the window caption is named "".
    void applyCaptions(std::initializer_list<std::pair<const char*, int>> captions);
    // Tab goes through parts in the order given, each with its controls in the order they were made.
    void chainTabOrder(std::initializer_list<QWidget*> parts);
    // OK (the default button) and Cancel, named okName and cancelName, in a row for the caller's layout.
    ButtonRow okCancelRow(const char* okName = "cmdOK", const char* cancelName = "cmdCancel");

    shell::KelmarProcess& process_;
    QWidget& mainWindow_;

private:
    void fitIntoScreen();

    QSize designSize_;
    QPoint mainWindowPosition_;
};

}  // namespace kelmar::dialogs
