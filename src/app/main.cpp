#include "app/kelmar_application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    qapp.setApplicationName("Kelmar");
    kelmar::app::KelmarApplication application(argc, argv);
    application.start();
    int status = qapp.exec();
    return application.process().ending() ? application.process().exitStatus() : status;
}
