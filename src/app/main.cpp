#include "app/kelmar_application.h"

#include <QApplication>

#include <cstdio>

namespace {

// Standard error carries the program's own lines (unattended runs are read by scripts);
// Qt's diagnostics, the platform plugins' warnings among them, join them only when
// asked for with QT_LOGGING_RULES. A fatal message is always shown: the program ends on it.
void keepQtDiagnosticsQuiet() {
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES")) return;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    });
}

}  // namespace

int main(int argc, char** argv) {
    keepQtDiagnosticsQuiet();
    QApplication qapp(argc, argv);
    qapp.setApplicationName("Kelmar");
    kelmar::app::KelmarApplication application(argc, argv);
    application.start();
    int status = qapp.exec();
    return application.process().ending() ? application.process().exitStatus() : status;
}
