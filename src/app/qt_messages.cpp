#include "app/qt_messages.h"

#include "shell/qt_text.h"

#include <QApplication>
#include <QMessageBox>

namespace kelmar::app {

void QtMessages::show(platform::MessageKind kind, const std::string& title, const std::string& text) {
    QMessageBox::Icon icon = kind == platform::MessageKind::Information ? QMessageBox::Information
                             : kind == platform::MessageKind::Error     ? QMessageBox::Critical
                                                                        : QMessageBox::NoIcon;
    QMessageBox box(icon, shell::toQt(title, codePage_()), shell::toQt(text, codePage_()), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtMessages::askYesNo(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Question, shell::toQt(title, codePage_()), shell::toQt(text, codePage_()),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes;
}

}  // namespace kelmar::app
