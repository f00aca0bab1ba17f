// Opens every window of the program in turn against the simulated host and saves a
// picture of each, for the user guide: screenshot_tour OUTPUT-FOLDER.
// scripts/screenshot runs it under Xvfb with a prepared program folder.

#include "app/kelmar_application.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QAbstractItemView>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

QString outputFolder;
int failures = 0;

void settle(int milliseconds = 400) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

QWidget* window(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == name) return widget;
    return nullptr;
}

// Waits for the named window, saves it as file.png and says so; true when it was there.
bool take(const QString& name, const QString& file) {
    QWidget* shown = nullptr;
    for (int tries = 0; tries < 25 && !shown; ++tries) {
        settle(200);
        shown = window(name);
    }
    if (!shown) {
        std::fprintf(stderr, "screenshot_tour: window %s did not open\n", qPrintable(name));
        ++failures;
        return false;
    }
    settle(300);
    const QString path = QDir(outputFolder).filePath(file + ".png");
    if (!shown->grab().save(path)) {
        std::fprintf(stderr, "screenshot_tour: %s could not be written\n", qPrintable(path));
        ++failures;
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void click(QWidget* parent, const char* name) {
    if (auto* button = parent ? parent->findChild<QAbstractButton*>(name) : nullptr) button->click();
}

void trigger(QWidget& main, const char* name) {
    if (auto* action = main.findChild<QAction*>(name)) action->trigger();
}

// Opens a dialog of the main window, takes it and closes it again.
void dialog(QWidget& main, const char* action, const QString& name, const QString& file) {
    trigger(main, action);
    if (take(name, file)) window(name)->close();
    settle();
}

// Two measurements that wait in TempData, left after start-up so it does not deliver them: one
// whose folder is offline, one whose run was cut off.
void leaveWaitingFiles() {
    const QDir tempData(QDir(qEnvironmentVariable("KELMAR_HOME")).filePath("TempData"));
    const auto write = [&](const QString& name, const QByteArray& text) {
        QFile file(tempData.filePath(name));
        if (file.open(QIODevice::WriteOnly)) file.write(text);
    };
    const QString name = "BRACKET BR-2210_C_SN-004218_0002";
    write(name + ".dfq", "K0100 1\r\nK1001 SN-004218\r\n");
    write("." + name + ".kelmar-wait",
          "Format=dfq\r\nKept=2026-12-08 09:41:17\r\n"
          "Reason=The folder /mnt/qdas-server/PartOK doesn't exist.\r\n"
          "OutputFolder=/mnt/qdas-server\r\nPartOK=1\r\nReworked=0\r\nUseFolders=1\r\nMonitor=0\r\n"
          "MonitoringFolder=\r\n");
    write("~999999-3.kelmar-part", "K0100 1\r\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_tour OUTPUT-FOLDER\n");
        return 2;
    }
    outputFolder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputFolder);
    QApplication qapp(argc, argv);
    // Online at once: the data entry form opens and the host executes behind it.
    char program[] = "kelmar", online[] = "/A";
    char* arguments[] = {program, online, nullptr};
    kelmar::app::KelmarApplication application(2, arguments);
    application.start();
    QWidget& main = application.mainWindow();

    if (take("frm_Dateneingabe", "data-entry-form")) {
        click(window("frm_Dateneingabe"), "cmdK0011");
        if (take("frmK0011", "k0011")) click(window("frmK0011"), "cmdCancel");
        settle();
        click(window("frm_Dateneingabe"), "cmdOK");
    }
    settle(1500);
    // A characteristic selected, so its details show.
    if (auto* list = main.findChild<QAbstractItemView*>("lstMM"); list && list->model() && list->model()->rowCount() > 2) {
        const QModelIndex row = list->model()->index(2, 0);
        list->setCurrentIndex(row);
        emit list->clicked(row);
    }
    settle();
    take("frmMainWindow", "main-window");

    trigger(main, "menuSetup");
    if (take("frm_Ausgabedatei_Setup", "setup")) {
        click(window("frm_Ausgabedatei_Setup"), "cmdAdvancedSettings");
        if (take("frmAdvancedSettings", "advanced-settings")) window("frmAdvancedSettings")->close();
        settle();
        if (QWidget* setup = window("frm_Ausgabedatei_Setup")) setup->close();
    }
    settle();
    dialog(main, "menuMonitor", "frm_Ausgabedatei_Monitoring", "monitoring");
    dialog(main, "menuQdasSettings", "frmQdasFieldDescription", "field-description");
    dialog(main, "menuQdasKeySetup", "frmKField", "k-fields");
    dialog(main, "menuAbout", "frm_About", "about");
    click(&main, "cmdPathSelect");
    if (take("frmPathSelect", "path-select")) window("frmPathSelect")->close();
    settle();
    click(&main, "cmdQDASData");
    if (take("frmAddQdasData", "add-qdas-data")) window("frmAddQdasData")->close();
    settle();

    leaveWaitingFiles();
    click(&main, "cmdWaitingFiles");
    if (take("frm_WaitingFiles", "waiting-files")) window("frm_WaitingFiles")->close();
    settle();

    // The same form in German: the language change restarts, then online again.
    trigger(main, "menuGerman");
    settle(1500);
    trigger(main, "Button1");
    take("frm_Dateneingabe", "data-entry-form-de");
    trigger(main, "menuEnglish");
    settle(1000);

    application.process().endProgram(0);
    return failures == 0 ? 0 : 1;
}
