#include "app/frm_main_window.h"
#include "shell/qt_text.h"
#include "app/run_controller.h"
#include "app_fixture.h"
#include "dialogs/frm_dateneingabe.h"
#include "settings/setting_names.h"
#include "support/environment.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace kelmar;

namespace {

// A fixed clock: the writer's time stamps do not matter here.
class FixedClock final : public qdas::Clock {
public:
    qdas::DateTime now() const override { return {2026, 12, 8, 10, 30, 0}; }
};

test::HostFileBuilder sampleHost(int terminationType = 1) {
    test::HostFileBuilder host;
    host.autoStart().terminationType(terminationType);
    host.dimension(1100, "DIM1").axisText("D").nominal(10).measured(10.004).tol(0.05, 0.05);
    host.dimension(1101, "DIM2").axisText("FL").nominal(0).measured(0.02).tol(0.01, 0);
    return host;
}

// The host's application, except that its events cannot be bound (a host that offers no event source).
class RefusingEvents final : public host::HostApplication {
public:
    explicit RefusingEvents(std::shared_ptr<host::HostApplication> app) : app_(std::move(app)) {}
    std::shared_ptr<host::PartProgram> ActivePartProgram() const override { return app_->ActivePartProgram(); }
    int MajorVersion() const override { return app_->MajorVersion(); }
    int MinorVersion() const override { return app_->MinorVersion(); }
    bool DisplayFlag() const override { return app_->DisplayFlag(); }
    void SetDisplayFlag(bool on) override { app_->SetDisplayFlag(on); }
    bool AdminFlag() const override { return app_->AdminFlag(); }
    void BindEvents(host::HostEventSink&) override { throw host::HostError("ApplicationEvents is no event source"); }
    void UnbindEvents() override {}

private:
    std::shared_ptr<host::HostApplication> app_;
};

// The main window started on a process whose host is given, with online mode wired as the program wires it.
struct Running {
    test::HostFileBuilder host;
    test::AppFixture app;
    app::frmMainWindow window{*app.process};
    FixedClock clock;
    app::RunController runs{*app.process, window, clock};
    int dataEntryOpened = 0;

    explicit Running(test::HostFileBuilder builder, std::vector<std::string> argv = {"kelmar"})
        : host(std::move(builder)), app(&host, std::move(argv)) {
        app.settings->write(settings::names::CatalogPathName, "/x/MyCatalog.dfd");
        window.setActions({[this] { runs.EventToggleOnline(); }, [this] { runs.importOffline(); },
                           [this] { runs.asciiExport(); }, {}, [this] { runs.leaveOnline(); }});
        runs.setDataEntryOpener([this] { ++dataEntryOpened; });
    }
    bool start() { return window.startUp(); }
    auto* sim() { return app.process->simulatedHost()->application().get(); }
    int rows() { return window.listModel().count(); }
    std::string panel(int n) { return window.statusText(n); }
    const std::string& line(int n) { return app.process->state.texts.line(n); }
    QAction* button(const char* name) { return window.findChild<QAction*>(name); }
    QString shown(QWidget& w, const char* label) { return w.findChild<QLabel*>(label)->text(); }
    QString qt(int n) { return shell::toQt(line(n), app.process->state.texts.codePage); }
};

}  // namespace

class RunControllerTest : public QObject {
    Q_OBJECT

    // The user's own folder for waiting measurements, never the real one.
    test::TempFolder user_;

private slots:
    void initTestCase() {
        test::setEnvironment("XDG_DATA_HOME", user_.path().c_str());
        test::setEnvironment("LOCALAPPDATA", user_.path().c_str());
    }

    void argumentASwitchesOnlineAndACompletedRunCloses() {
        Running r(sampleHost(), {"kelmar", "/a"});
        QVERIFY(r.start());
        QCOMPARE(r.panel(1), r.line(233));
        QCOMPARE(r.dataEntryOpened, 1);
        QVERIFY(r.window.findChild<QAction*>("Button1")->isChecked());
        QVERIFY(!r.window.findChild<QAction*>("Button3")->isEnabled());
        QVERIFY(r.sim()->isBound());

        r.app.queue.drain();  // the host executes the part program
        QCOMPARE(r.rows(), 2);
        QCOMPARE(r.panel(1), r.line(234));
        QCOMPARE(r.panel(2), std::string("OFF"));
        QVERIFY(!r.sim()->isBound());
        QVERIFY(r.window.findChild<QAction*>("Button3")->isEnabled());
        QVERIFY(!r.window.progressBar()->isVisible());
        // Without /I nothing is written and the program goes on.
        QVERIFY(!r.app.process->ending());
        QVERIFY(r.app.process->state.run.qdasDataUpper() >= 2);
    }

    void onlinePressedTwiceSwitchesOnThenOff() {
        Running r(test::HostFileBuilder{});
        QVERIFY(r.start());
        QCOMPARE(r.panel(1), r.line(231));
        QAction* online = r.window.findChild<QAction*>("Button1");
        online->trigger();
        QCOMPARE(r.panel(1), r.line(233));
        online->trigger();
        QCOMPARE(r.panel(1), r.line(234));
        QCOMPARE(r.dataEntryOpened, 1);
        QVERIFY(!r.sim()->isBound());
        QVERIFY(!online->isChecked());
    }

    void cancelledRunAnsweredNoKeepsTheListAndYesEnds() {
        // Every type but 1 (completed) is an execution that did not complete.
        for (int type : {1, 0, 2, 3, -1, 255}) {
            Running r(sampleHost(type), {"kelmar", "/A"});
            QVERIFY(r.start());
            r.app.queue.drain();
            const bool asked = !r.app.messages->shown.empty() &&
                               r.app.messages->shown.back().kind == platform::MessageKind::Question;
            QVERIFY2(asked == (type != 1), qPrintable(QString("termination type %1").arg(type)));
            if (asked)
                QCOMPARE(r.app.messages->shown.back().text,
                         std::string("Part program was canceld.\nWould you close the Kelmar?"));
            QCOMPARE(r.rows(), 2);
            QVERIFY(!r.app.process->ending());
            QCOMPARE(r.panel(1), r.line(234));
        }
        Running r(sampleHost(0), {"kelmar", "/A"});
        r.app.messages->answer(true);
        QVERIFY(r.start());
        r.app.queue.drain();
        QVERIFY(r.app.process->ending());
        QCOMPARE(r.app.process->exitStatus(), 0);
    }

    void statisticsCommandsLeaveTheEndToThemselves() {
        test::HostFileBuilder host = sampleHost();
        Running r(host, {"kelmar", "/A"});
        r.app.settings->write(settings::names::StatCmds, "1");
        QVERIFY(r.start());
        r.app.queue.drain();
        // No statistics command switched capture on: nothing captured, the run not closed.
        QCOMPARE(r.rows(), 0);
        QCOMPARE(r.panel(1), r.line(233));
        QVERIFY(r.sim()->isBound());
        QVERIFY(r.window.findChild<QAction*>("Button1")->isChecked());

        test::HostFileBuilder steered;
        steered.autoStart();
        steered.statistics(1);
        steered.dimension(1100, "DIM1").nominal(1).measured(1);
        steered.statistics(2, "  ");
        Running s(steered, {"kelmar", "/A"});
        s.app.settings->write(settings::names::StatCmds, "1");
        QVERIFY(s.start());
        s.app.queue.drain();
        QCOMPARE(s.rows(), 1);
        QCOMPARE(s.panel(1), s.line(234));
        QVERIFY(!s.sim()->isBound());
    }

    void noPartProgramNameRefusesToGoOnline() {
        test::HostFileBuilder host;
        host.programName("");
        Running r(host);
        QVERIFY(r.start());
        r.button("Button1")->trigger();
        QVERIFY(!r.button("Button1")->isChecked());  // the refused switch leaves the button up
        QCOMPARE(r.app.messages->shown.back().text,
                 std::string("Converter cannot achieve the active part program.\nError Code EventToggleOnline"));
        QVERIFY(r.panel(1) != r.line(233));
        QCOMPARE(r.dataEntryOpened, 0);
    }

    void eventsThatCannotBeBoundLeaveOnlineOffSaySoAndOfflineStillWorks() {
        Running r(sampleHost());
        QVERIFY(r.start());
        auto& app = r.app.process->state.connection.HostApplication;
        app = std::make_shared<RefusingEvents>(app);
        r.app.messages->shown.clear();
        r.button("Button1")->trigger();
        QVERIFY(!r.button("Button1")->isChecked());
        QCOMPARE(r.app.messages->texts(),
                 std::vector<std::string>{"Online mode cannot be switched on: the host's events cannot be bound.\n"
                                          "ApplicationEvents is no event source"});
        QVERIFY(r.panel(1) != r.line(233));
        QCOMPARE(r.dataEntryOpened, 0);
        r.window.findChild<QAction*>("Button3")->trigger();
        QCOMPARE(r.rows(), 2);
    }

    void offlineImportFillsTheListAndAFailedOneEnds() {
        Running r(sampleHost());
        QVERIFY(r.start());
        r.sim()->closePartProgram();  // the import keeps to the program attached at start
        r.window.findChild<QAction*>("Button3")->trigger();
        QCOMPARE(r.rows(), 2);
        QCOMPARE(r.dataEntryOpened, 1);
        QVERIFY(!r.app.process->ending());

        test::HostFileBuilder broken = sampleHost();
        broken.error("activePartProgram.commands", "unreadable");
        Running b(broken);
        QVERIFY(b.start());
        b.window.findChild<QAction*>("Button3")->trigger();
        QCOMPARE(b.app.messages->shown.back().text, std::string("Value can not be read."));
        QVERIFY(b.app.process->ending());
    }

    void languageChangesOnlineAndAfterAnOfflineImportKeepWindowsAndModeInStep() {
        test::HostFileBuilder host;  // runs only when told to
        host.dimension(1100, "DIM1").axisText("D").nominal(10).measured(10.004).tol(0.05, 0.05);
        host.dimension(1101, "DIM2").axisText("FL").nominal(0).measured(0.02).tol(0.01, 0);
        Running r(host);
        dialogs::DataEntryForm entry(*r.app.process, r.window);
        r.runs.setDataEntryOpener([&] { entry.open(); });
        auto confirm = [&] {
            dialogs::frm_Dateneingabe* form = entry.current();
            form->findChild<QComboBox*>("ComboMMKlasse")->setCurrentIndex(0);
            form->findChild<QPushButton*>("cmdOK")->click();
        };
        r.app.settings->write(settings::names::Minimize, "1");
        QVERIFY(r.start());

        // A form held unseen, as "Add Events for actual Characteristic" makes it, then a new
        // language and field description: the form opened by going online shows both.
        entry.form();
        r.app.settings->write("TXTK0006", "Batch id");
        r.button("menuGerman")->trigger();
        r.button("Button1")->trigger();
        QVERIFY(entry.current() && entry.current()->isVisible());
        QCOMPARE(entry.current()->windowTitle(), r.qt(107));
        QCOMPARE(r.shown(*entry.current(), "lblK0006"), QString("Batch id"));
        confirm();
        QVERIFY(r.window.isMinimized());

        // A language change while online ends online mode before the restart.
        r.button("menuEnglish")->trigger();
        QVERIFY(!r.runs.online());
        QVERIFY(!r.sim()->isBound());
        QVERIFY(!r.button("Button1")->isChecked());
        QVERIFY(r.button("Button3")->isEnabled());

        // Offline clears the minimise flag: OK leaves the window as it is. The last row is
        // current and its details shown; panel 2 follows a language change.
        r.button("Button3")->trigger();
        QCOMPARE(entry.current()->windowTitle(), r.qt(107));
        confirm();
        QVERIFY(!r.window.isMinimized());
        QCOMPARE(r.window.currentRow(), 1);
        QCOMPARE(r.shown(r.window, "lblMeas"), QString("0.02000"));
        QCOMPARE(r.panel(2), r.line(239));
        r.button("menuGerman")->trigger();
        QCOMPARE(r.panel(2), r.line(239));
        QCOMPARE(r.qt(239), QString("Offline-Import abgeschlossen"));

        // Started with /A, a language change ends online mode and the restart leaves it off:
        // the form is not opened a second time.
        Running a(host, {"kelmar", "/A"});
        QVERIFY(a.start());
        QVERIFY(a.runs.online());
        a.button("menuGerman")->trigger();
        QVERIFY(!a.runs.online());
        QVERIFY(!a.sim()->isBound());
        QVERIFY(!a.button("Button1")->isChecked());
        QVERIFY(a.panel(1) != a.line(233));
        QCOMPARE(a.dataEntryOpened, 1);
    }

    // The form that switching online opened, closed with Escape or its close box: the user is
    // asked whether to go on without the part data; No returns to the form, Yes goes on without it.
    void formClosedWithoutOkAfterGoingOnlineAsks() {
        Running r(test::HostFileBuilder{});
        dialogs::DataEntryForm entry(*r.app.process, r.window);
        r.runs.setDataEntryOpener([&] { entry.open(); });
        QVERIFY(r.start());
        r.button("Button1")->trigger();
        dialogs::frm_Dateneingabe* form = entry.current();
        QVERIFY(form && form->isVisible());
        r.app.messages->shown.clear();
        r.app.messages->answer(false);
        QTest::keyClick(form, Qt::Key_Escape);
        QCOMPARE(r.app.messages->texts(), std::vector<std::string>{r.app.process->state.texts.text(
                                              settings::Text::OnlineWithoutPartData)});
        QVERIFY(entry.current() == form && form->isVisible());
        r.app.messages->answer(true);
        form->close();
        QVERIFY(!entry.current() || !entry.current()->isVisible());
        QCOMPARE(r.app.messages->shown.size(), size_t(2));
        QVERIFY(r.runs.online());

        // Offline, or after OK, closing asks nothing.
        r.button("Button1")->trigger();
        r.button("Button3")->trigger();
        r.app.messages->shown.clear();
        QVERIFY(entry.current() && entry.current()->isVisible());
        QTest::keyClick(entry.current(), Qt::Key_Escape);
        QVERIFY(r.app.messages->shown.empty());
    }

    void exportWithoutSettingsStaysAndAnAutomaticRunWritesAndEnds() {
        Running r(sampleHost(), {"kelmar", "/A"});
        QVERIFY(r.start());
        r.app.queue.drain();
        r.window.findChild<QAction*>("Button5")->trigger();
        QVERIFY(!r.app.process->ending());  // the writer refused and said why

        Running w(sampleHost(), {"kelmar", "/I"});
        auto& s = *w.app.settings;
        for (const char* name : {"FileName1", "FileName2", "FileName3", "FileName4", "FileName5", "SEPERATOR"})
            s.write(name, "0");
        for (const char* name : {"FileCounter", "SelectFolder", "PartProgFolder", "UseFolders"}) s.write(name, "0");
        s.write("FileNameRule0", "true");
        w.app.home.makeFolder("out");
        s.write("DIR", w.app.home.file("out"));
        QVERIFY(w.start());
        w.app.queue.drain();
        QVERIFY(w.app.process->ending());
        QCOMPARE(w.app.process->exitStatus(), 0);
        QVERIFY(!w.app.process->state.connection.attached());
        QVERIFY(w.app.home.exists("out/TESTPART.dfq"));
    }
};

QTEST_MAIN(RunControllerTest)
#include "run_controller_test.moc"
