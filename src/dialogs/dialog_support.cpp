#include "dialogs/dialog_support.h"

#include "dialogs/fitted_controls.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace kelmar::dialogs {
namespace {

// The system's names of the Cancel buttons.
constexpr const char* kCancelNames[] = {"cmdCancel", "CancelButton"};

// A window manager places a window anew each time it is shown again, wherever it likes. For a
// moment after the main window comes back, any such move is undone, so it stays where the user
// put it; then it lets go, and the window is the user's again.
class KeptPosition final : public QObject {
public:
    static constexpr int kPlacingMilliseconds = 1500;

    KeptPosition(QWidget& window, QPoint position) : QObject(&window), window_(window), position_(position) {
        window.installEventFilter(this);
        QTimer::singleShot(kPlacingMilliseconds, this, &QObject::deleteLater);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Move && window_.pos() != position_)
            window_.move(position_);
        return false;
    }

private:
    QWidget& window_;
    QPoint position_;
};

}  // namespace

DialogBase::DialogBase(shell::KelmarProcess& process, QWidget& mainWindow, const char* objectName)
    : QWidget(nullptr, Qt::Window), process_(process), mainWindow_(mainWindow) {
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);
}

void DialogBase::setDesignSize(int widthTwips, int heightTwips) {
    designSize_ = QSize(pixelsFromTwips(widthTwips), pixelsFromTwips(heightTwips));
}

void DialogBase::open() {
    fitIntoScreen();
    mainWindowPosition_ = mainWindow_.pos();
    show();
    mainWindow_.hide();
}

void DialogBase::fitIntoScreen() {
    // Measured with the style's final fonts and margins, as shown.
    ensurePolished();
    QScreen* screen = mainWindow_.screen() ? mainWindow_.screen() : this->screen();
    const QRect room = screen->availableGeometry();
    for (QComboBox* combo : findChildren<QComboBox*>()) fitComboBox(*combo, room.width());
    // The window frame is not known before the first show; the main window's is a fair guess.
    const QRect mainFrame = mainWindow_.frameGeometry();
    const QRect mainInside = mainWindow_.geometry();
    const QSize frame = mainFrame.size() - mainInside.size();
    const QSize size = fittedSize(*this, designSize_, room.size() - frame);
    resize(size);
    QRect placed(QPoint(), size + frame);
    placed.moveCenter(mainFrame.center());
    move(keptInside(placed, room).topLeft());
}

void DialogBase::closeEvent(QCloseEvent* event) {
    // Shown again where it was, whatever the window manager would choose.
    mainWindow_.move(mainWindowPosition_);
    mainWindow_.show();
    new KeptPosition(mainWindow_, mainWindowPosition_);
    event->accept();
}

void DialogBase::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (enter && plain) {
        // Reaches the dialog from every control that leaves Enter alone (all but multi-line
        // texts and open drop-downs): it presses the default button, as in any dialog.
        for (auto* button : findChildren<QPushButton*>())
            if (button->isDefault() && button->isVisibleTo(this) && button->isEnabled()) {
                button->click();
                return;
            }
    }
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (const char* name : kCancelNames)
        if (auto* cancel = findChild<QPushButton*>(name); cancel && cancel->isEnabled()) {
            cancel->click();
            return;
        }
    close();
}

QString DialogBase::text(int line) const {
    const auto& texts = process_.state.texts;
    return shell::toQt(texts.line(line), texts.codePage);
}

void DialogBase::applyCaptions(std::initializer_list<std::pair<const char*, int>> captions) {
    for (auto [name, line] : captions) {
        if (!*name) {
            setWindowTitle(text(line));
            continue;
        }
        QObject* control = findChild<QObject*>(name);
        if (auto* box = qobject_cast<QGroupBox*>(control))
            box->setTitle(text(line));
        else if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text(line));
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(text(line));
    }
}

void DialogBase::chainTabOrder(std::initializer_list<QWidget*> parts) {
    QWidget* previous = nullptr;
    auto chain = [&](QWidget* control) {
        // Drop-down lists are windows of their own and take no part.
        if (!(control->focusPolicy() & Qt::TabFocus) || control->window() != this) return;
        if (previous) setTabOrder(previous, control);
        previous = control;
    };
    for (QWidget* part : parts) {
        chain(part);
        for (QWidget* control : part->findChildren<QWidget*>()) chain(control);
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
