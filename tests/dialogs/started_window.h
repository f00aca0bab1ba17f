#pragma once
// A started main window on its own program folder and settings, for the dialog tests.

#include "app/app_fixture.h"
#include "app/frm_main_window.h"
#include "platform/product.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <map>
#include <string>

namespace kelmar::test {

struct StartedOptions {
    bool admin = true;
    // Asking for the rights fails in the host.
    bool adminFails = false;
    // Every language line n reads "Line n", so a caption shows which line it came from.
    bool numberedTexts = false;
    // Follows every numbered line, to try long texts.
    std::string textSuffix{};
    // The base name of a shipped language to start in ("German" ...); English when empty.
    std::string language{};
};

inline HostFileBuilder hostFor(const StartedOptions& options) {
    HostFileBuilder host;
    host.adminFlag(options.admin);
    if (options.adminFails) host.error("adminFlag", "not allowed");
    return host;
}

struct StartedWindow {
    HostFileBuilder host;
    AppFixture f;
    app::frmMainWindow window;

    explicit StartedWindow(StartedOptions options = {}) : host(hostFor(options)), f(&host), window(*f.process) {
        if (!options.language.empty())
            f.home.write("Languages/resource.dll", f.home.read("Languages/" + options.language + ".dll"));
        if (options.numberedTexts) {
            std::string lines;
            for (int n = 1; n <= settings::kLastTextLine; ++n)
                lines += "Line " + std::to_string(n) + options.textSuffix + "\r\n";
            f.home.write("Languages/resource.dll", lines);
        }
        f.settings->write("CatalogPathName", "/x/MyCatalog.dfd");
        window.startUp();
        f.messages->shown.clear();
    }

    // Dialogs are windows of their own that delete themselves once closed. They go before
    // the program folder does: Windows cannot remove a folder that a folder list watches.
    ~StartedWindow() {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != &window && top->isVisible() && top->testAttribute(Qt::WA_DeleteOnClose)) top->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    const std::map<std::string, std::string>& stored() const { return f.settings->values(); }
};

template <class T = QWidget>
T* child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(name);
}

inline QString textOf(QWidget* parent, const char* name) {
    QObject* control = parent->findChild<QObject*>(name);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    return "<no " + QString(name) + ">";
}

// Every label, button and frame of window: a text it cannot show whole is shortened and whole
// at the start of its tooltip. The number shortened; negative when one hides its text.
inline int shortenedTexts(QWidget& window) {
    int shortened = 0;
    for (auto* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->wordWrap()) continue;
        if (label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width()) continue;
        const bool whole = label->toolTip().startsWith(label->text());
        if (!whole) qWarning() << label->objectName() << "hides its text";
        shortened += whole ? 1 : -1000;
    }
    for (auto* control : window.findChildren<QWidget*>()) {
        auto* button = qobject_cast<QAbstractButton*>(control);
        auto* frame = qobject_cast<QGroupBox*>(control);
        const QString caption = button ? button->text() : frame ? frame->title() : QString();
        if (!caption.endsWith(QChar(0x2026))) continue;
        shortened += control->toolTip().startsWith(caption.chopped(1)) ? 1 : -1000;
    }
    return shortened;
}

// The one message was the administrator gate's.
inline bool toldNoRights(const StartedWindow& w) {
    const auto& shown = w.f.messages->shown;
    return shown.size() == 1 && shown[0].text == "No Administrator Privilegs." &&
           shown[0].title == platform::kExecutableName && shown[0].kind == platform::MessageKind::Information;
}

}  // namespace kelmar::test
