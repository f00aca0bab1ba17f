#include "dialogs/dialog_support.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>

namespace kelmar::dialogs {

DialogBase::DialogBase(app::KelmarProcess& process, QWidget& mainWindow, const char* objectName)
    : QWidget(nullptr, Qt::Window), process_(process), mainWindow_(mainWindow) {
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);
}

void DialogBase::open() {
    move(mainWindow_.pos());
    show();
    mainWindow_.hide();
}

void DialogBase::closeEvent(QCloseEvent* event) {
    mainWindow_.show();
    event->accept();
}

QString DialogBase::text(int line) const {
    const auto& texts = process_.state.texts;
    return app::toQt(texts.line(line), texts.codePage);
}

void DialogBase::applyCaptions(std::initializer_list<std::pair<const char*, int>> captions) {
    for (auto [name, line] : captions) {
        if (!*name) {
            setWindowTitle(text(line));
            continue;
        }
        QObject* control = findChild<QObject*>(name);
        if (auto* box = qobject_cast<QGroupBox*>(control)) box->setTitle(text(line));
        else if (auto* label = qobject_cast<QLabel*>(control)) label->setText(text(line));
        else if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(text(line));
    }
}

}  // namespace kelmar::dialogs
