#pragma once
// The main window: start-up, the characteristic list with its details, the
// part information, toolbar, menus and status bar.

#include "app/characteristic_list_model.h"
#include "shell/kelmar_process.h"
#include "shell/main_window_view.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QTableView;
class QListWidget;
class QProgressBar;
class QPushButton;
class QToolBar;

namespace kelmar::dialogs {
class FittedLabel;
}

namespace kelmar::app {

class frmMainWindow final : public QMainWindow, public shell::MainWindowView {
    Q_OBJECT

public:
    explicit frmMainWindow(shell::KelmarProcess& process, QWidget* parent = nullptr);

    // The load handler; it runs again after every language change.
    // False when start-up failed and the program is ending.
    bool startUp();

    // What the toolbar and menu entries do beyond this window; set by the application.
    struct Actions {
        std::function<void()> toggleOnline;
        std::function<void()> offline;
        std::function<void()> asciiExport;
        std::function<void(const std::string& dialog)> openDialog;
        // Run before a language change starts the program again.
        std::function<void()> leaveOnline;
    };
    void setActions(Actions actions) { actions_ = std::move(actions); }

    // Status panels 1 and 2.
    void setStatusText(int panel, const std::string& text);
    // The status bar's count of measurements that wait; hidden at 0. A click opens their window.
    void showWaitingCount(int count);
    std::string statusText(int panel) const;

    // The characteristic list and its details.
    CharacteristicListModel& listModel() { return list_; }
    int characteristicCount() const override { return list_.count(); }
    QWidget& widget() override { return *this; }
    void appendListEntry(const std::string& text);
    void clearRunDisplay();
    void showCharacteristic(int row);
    // The details of the selected row (after a run, whose appends do not update them).
    void showCurrentCharacteristic();
    // The current row of lstMM, -1 when none is current.
    int currentRow() override;
    QProgressBar* progressBar() const { return progress_; }

    // The online look of toolbar buttons 1 and 3.
    void showOnline(bool online);

    std::string outputPath() const;
    void setOutputPath(const std::string& path) override;
    // framePathForOutput shown or hidden, with the window height that goes with it.
    void showOutputFrame(bool visible) override;
    // The part information captions the writer reads.
    std::string partInformation(int which) const;

    void checkOkValues();
    void checkOotValues();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    QWidget* buildCentral();
    void applyCaptions();
    void markLanguage(int number);
    void chooseLanguage(int number);
    void askForCatalog();
    void checkHostVersion();
    void selectLastRow();
    void applyOutputFrame();
    // The design size, or less where the screen is smaller; long texts shortened to fit it.
    void fitIntoScreen(QSize designSize);
    QString text(int line) const;
    QString hostText(const std::string& bytes) const;
    bool isOutOfTolerance(int row) const;
    void setPanelColour(QLabel* label, const QColor& colour);

    shell::KelmarProcess& process_;
    Actions actions_;
    bool shellCreated_ = false;
    QLabel* legend_ = nullptr;
    // Start-up runs again for a language change: the command line does not switch online mode on.
    bool restarting_ = false;
    CharacteristicListModel list_;
    bool appending_ = false;

    QTableView* lstMM_ = nullptr;
    QListWidget* VListComment_ = nullptr;
    QGroupBox* framePathForOutput_ = nullptr;
    QLabel* lblPath_ = nullptr;
    QProgressBar* progress_ = nullptr;
    dialogs::FittedLabel* panel1_ = nullptr;
    dialogs::FittedLabel* panel2_ = nullptr;
    QPushButton* cmdWaitingFiles_ = nullptr;
    int waitingCount_ = 0;
    QToolBar* toolbar_ = nullptr;
    std::map<std::string, QAction*> actionsByName_;
    std::map<std::string, QWidget*> widgets_;
    std::map<int, QAction*> languageActions_;
};

}  // namespace kelmar::app
