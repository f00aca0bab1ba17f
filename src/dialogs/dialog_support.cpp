#include "dialogs/dialog_support.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

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

ButtonRow DialogBase::okCancelRow(const char* okName, const char* cancelName) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName(okName);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName(cancelName);
    row->addWidget(ok);
    row->addWidget(cancel);
    return {row, ok, cancel};
}

}  // namespace kelmar::dialogs
