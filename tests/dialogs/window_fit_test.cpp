// Every window in each of the eight languages, opened at its opening size on a 1280x1024
// screen: every caption shows its whole text, and every caption comes from a language line.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTemporaryFile>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "dialogs/frm_dateneingabe.h"
#include "dialogs/frm_k0011.h"
#include "dialogs/fitted_controls.h"
#include "dialogs/frm_waiting_files.h"
#include "every_dialog.h"
#include "started_window.h"

using namespace kelmar;
using test::child;

namespace {

const char* const kLanguages[] = {"English", "German",  "French",     "Italian",
                                  "Czech",   "Spanish", "Portuguese", "Hungaria"};

QString shownText(QString text) { return text.replace(QRegularExpression("&(.)"), "\\1"); }

int textWidth(const QWidget& control, const QString& text) {
    int widest = 0;
    for (const QString& line : shownText(text).split('\n'))
        widest = std::max(widest, control.fontMetrics().horizontalAdvance(line));
    return widest;
}

// The room a button gives its caption: its width less what its style draws around the text.
int captionRoom(const QAbstractButton& button) {
    if (qobject_cast<const QPushButton*>(&button)) {
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        const int contents = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
        return contents - (button.icon().isNull() ? 0 : button.iconSize().width() + 4);
    }
    if (qobject_cast<const QToolButton*>(&button)) return button.width() - 2;
    // Check boxes and option buttons: what is left beside the indicator.
    const int indicator = button.style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                          button.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    return button.width() - indicator;
}

// "name: text" for every caption of window that is not shown whole.
QStringList cutCaptions(QWidget& window) {
    QStringList cut;
    auto check = [&](const QWidget& control, const QString& text, int room) {
        if (text.isEmpty() || !control.isVisibleTo(&window)) return;
        if (text.endsWith(QChar(0x2026)) || textWidth(control, text) > room)
            cut << QString("%1: \"%2\" needs %3, has %4").arg(control.objectName(), text).arg(textWidth(control, text)).arg(room);
    };
    for (auto* label : window.findChildren<QLabel*>()) {
        // A path or a name from the host is shortened to its room, whole in its tooltip.
        if (auto* value = qobject_cast<dialogs::FittedLabel*>(label); value && value->holdsData()) continue;
        if (label->wordWrap()) {
            if (label->isVisibleTo(&window) && label->heightForWidth(label->width()) > label->height())
                cut << label->objectName() + ": wrapped text taller than its room";
            continue;
        }
        check(*label, label->text(), label->contentsRect().width() - 2 * label->margin() - std::max(0, label->indent()));
    }
    for (auto* button : window.findChildren<QAbstractButton*>()) check(*button, button->text(), captionRoom(*button));
    for (auto* frame : window.findChildren<QGroupBox*>()) check(*frame, frame->title(), frame->width() - 16);
    for (auto* tabs : window.findChildren<QTabBar*>())
        for (int i = 0; i < tabs->count(); ++i) check(*tabs, tabs->tabText(i), tabs->tabRect(i).width() - 8);
    for (auto* header : window.findChildren<QHeaderView*>())
        for (int i = 0; i < header->count(); ++i)
            check(*header, header->model()->headerData(i, header->orientation()).toString(), header->sectionSize(i) - 8);
    for (auto* bar : window.findChildren<QMenuBar*>())
        for (QAction* action : bar->actions())
            check(*bar, action->text(), bar->actionGeometry(action).width() - 8);
    return cut;
}

// One measurement of each kind the waiting-files window lists.
std::vector<qdas::WaitingSet> waitingSets() {
    qdas::WaitingSet cutOff;
    cutOff.folder = "/home/user/Kelmar";
    cutOff.baseName = "Kelmar_20261208_143105.dfq.~k42";
    cutOff.incomplete = true;
    qdas::WaitingSet unknown;
    unknown.folder = cutOff.folder;
    unknown.baseName = "Part_A_0001";
    unknown.kept = "2026-12-08 14:31:05";
    unknown.reason = "TempData cannot be written.";
    return {cutOff, unknown};
}

// Every window the program opens, in the language of w: each is opened as the program opens it,
// handed to look at, and closed.
void forEveryWindow(test::StartedWindow& w, const std::function<void(const char*, QWidget&)>& look) {
    w.window.showWaitingCount(12);
    w.window.showOutputFrame(true);  // shown only when the folder is chosen at each run
    QCoreApplication::processEvents();  // the layout follows the texts of the language
    look("MainWindow", w.window);
    dialogs::DataEntryForm entry(*w.f.process, w.window);
    auto makers = test::everyDialog(w, entry);
    makers.insert(makers.end() - 1, {"WaitingFiles", [&] {
                                         return new dialogs::frm_WaitingFiles(*w.f.process, w.window,
                                                                              {[] { return waitingSets(); }, {}});
                                     }});
    for (const auto& [name, make] : makers) {
        QPointer<dialogs::DialogBase> dialog = make();
        dialog->open();
        QCoreApplication::processEvents();
        look(name, *dialog);
        if (QString(name) == "DataEntry") {
            child<QPushButton>(dialog, "cmdK0011")->click();
            QCoreApplication::processEvents();
            look("K0011", *entry.current()->k0011Dialog());
            entry.current()->k0011Dialog()->close();
        }
        if (dialog) dialog->close();
        QCoreApplication::processEvents();
    }
}

}  // namespace

class WindowFitTest : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionIsWholeInEveryLanguage() {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(1280, 1024));
        QStringList cut;
        for (const char* language : kLanguages) {
            test::StartedWindow w({.language = language});
            forEveryWindow(w, [&](const char* window, QWidget& shown) {
                for (const QString& caption : cutCaptions(shown)) cut << QString("%1 %2 %3").arg(language, window, caption);
            });
        }
        for (const QString& caption : cut) qWarning().noquote() << caption;
        QVERIFY2(cut.isEmpty(), qPrintable(QString("%1 captions are cut").arg(cut.size())));
    }

    // Numbered language lines: a caption that is not "Line n" is a fixed text in the code.
    void everyCaptionComesFromALanguageLine() {
        test::StartedWindow w({.numberedTexts = true});
        // Keys, numbers, file formats and the separators of a file name are the same in every language.
        const QRegularExpression languageFree(
            R"(^ ?(Line \d+.*|K\d{4}(/\d+)?|K0011/0 Line \d+|\.\.\.|\+|_+|-+|DFD \+ DFX|DFQ|25[56]|\d+|OK|Kelmar.*|Trace 'FileName')$)");
        QStringList fixed;
        forEveryWindow(w, [&](const char* window, QWidget& shown) {
            auto note = [&](const QWidget& control, const QString& text) {
                if (!text.isEmpty() && control.isVisibleTo(&shown) && !languageFree.match(shownText(text)).hasMatch())
                    fixed << QString("%1 %2: \"%3\"").arg(window, control.objectName(), text);
            };
            note(shown, shown.windowTitle());
            for (auto* button : shown.findChildren<QAbstractButton*>()) {
                note(*button, button->text());
                note(*button, button->toolTip());
            }
            for (auto* frame : shown.findChildren<QGroupBox*>()) note(*frame, frame->title());
            // Captions only: Label_Verzeichnis shows the chosen folder.
            for (auto* label : shown.findChildren<QLabel*>())
                if ((label->objectName().startsWith("Label") && label->objectName() != "Label_Verzeichnis") ||
                    label->objectName().endsWith("Caption") || label->objectName().startsWith("lblK"))
                    note(*label, label->text());
            for (auto* bar : shown.findChildren<QMenuBar*>())
                for (QAction* action : bar->actions()) {
                    note(*bar, action->text());
                    if (action->menu())
                        for (QAction* entry : action->menu()->actions()) {
                            note(*bar, entry->text());
                            if (entry->menu())
                                for (QAction* inner : entry->menu()->actions()) note(*bar, inner->text());
                        }
                }
        });
        QVERIFY2(fixed.isEmpty(), qPrintable(fixed.join('\n')));
    }
};

int main(int argc, char** argv) {
    // The screen the windows are looked at on.
    QTemporaryFile screens;
    screens.open();
    screens.write(R"({"screens": [{"name": "main", "x": 0, "y": 0, "width": 1280, "height": 1024,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.flush();
    // The platform's options are split at every ":", a drive's too: the file is named from its own folder.
    const QString before = QDir::currentPath();
    const QFileInfo screensFile(screens);
    QDir::setCurrent(screensFile.absolutePath());
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screensFile.fileName()).toLocal8Bit());
    QApplication app(argc, argv);
    QDir::setCurrent(before);
    WindowFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_fit_test.moc"
