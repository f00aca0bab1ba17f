#include "app/qt_messages.h"

#include "shell/qt_text.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kelmar::app {

void QtMessages::show(platform::MessageKind kind, const std::string& title, const std::string& text) {
    QMessageBox::Icon icon = kind == platform::MessageKind::Information ? QMessageBox::Information
                             : kind == platform::MessageKind::Error     ? QMessageBox::Critical
                                                                        : QMessageBox::NoIcon;
    QMessageBox box(icon, shell::toQt(title, codePage()), shell::toQt(text, codePage()), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtMessages::askYesNo(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Question, shell::toQt(title, codePage()), shell::toQt(text, codePage()),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    // Qt's own captions would be English in every language.
    const settings::LanguageTexts english;
    const settings::LanguageTexts& texts = texts_ ? *texts_ : english;
    box.button(QMessageBox::Yes)->setText(shell::toQt(texts.text(settings::Text::MessageYes), texts.codePage));
    box.button(QMessageBox::No)->setText(shell::toQt(texts.text(settings::Text::MessageNo), texts.codePage));
    return box.exec() == QMessageBox::Yes;
}

}  // namespace kelmar::app
