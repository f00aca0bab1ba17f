#include "app/kelmar_application.h"
#include "platform/command_line.h"
#include "platform/messages.h"
#include "platform/code_page.h"
#include "platform/product.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

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

// --help and --version answer on the console they were typed in, without a window.
void printToConsole(const std::string& text) {
#ifdef _WIN32
    // A GUI program has no console of its own: borrow the one it was started from.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) std::freopen("CONOUT$", "w", stdout);
#endif
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    using kelmar::platform::CommandLineRequest;
    const auto args = kelmar::platform::commandLineFromArgv(argc, argv, 2);
    const CommandLineRequest request = kelmar::platform::commandLineRequest(args);
    if (request == CommandLineRequest::Help) {
        printToConsole(kelmar::platform::usageText());
        return 0;
    }
    if (request == CommandLineRequest::Version) {
        printToConsole(std::string(kelmar::platform::kApplicationTitle) + " " + kelmar::platform::kVersion + "\n");
        return 0;
    }

    // A mistyped switch would otherwise start a run by hand that nobody attends and end
    // with 0 having written nothing; unattended, the caller learns it before anything is read.
    if (request == CommandLineRequest::Unknown && kelmar::platform::unattendedMode()) {
        kelmar::platform::UnattendedMessages(std::cerr, kelmar::platform::installationCodePage())
            .error(kelmar::platform::kApplicationTitle, kelmar::platform::unknownArgumentText(args.arg(1)));
        return 2;
    }

    keepQtDiagnosticsQuiet();
    QApplication qapp(argc, argv);
    qapp.setApplicationName("Kelmar");
    qapp.setApplicationVersion(kelmar::platform::kVersion);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addFile(QString(":/icons/%1x%1/apps/kelmar.png").arg(size));
    qapp.setWindowIcon(icon);
    kelmar::app::KelmarApplication application(argc, argv);
    // A person is told and goes on by hand.
    if (request == CommandLineRequest::Unknown)
        application.process().messages().error(kelmar::platform::kApplicationTitle,
                                               kelmar::platform::unknownArgumentText(args.arg(1)));
    application.start();
    int status = qapp.exec();
    return application.process().ending() ? application.process().exitStatus() : status;
}
