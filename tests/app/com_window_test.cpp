// The main window's runs through real COM: orvelan-sim.exe serves the bundled sample
// in its own process. An online run driven by its events and "Offline" both end in
// "ASCII Export", and each writes the same bytes as the in-process host does.

#include "app/frm_main_window.h"
#include "app/program_run.h"
#include "app/run_controller.h"
#include "app_fixture.h"
#include "host/sim/sim_host_file.h"
#include "host/sim/win/sim_process.h"
#include "host/win/locator.h"

#include <QAction>
#include <QtTest>

#include <sstream>

using namespace kelmar;

namespace {

class FixedClock final : public qdas::Clock {
public:
    qdas::DateTime now() const override { return {2026, 12, 8, 10, 30, 0}; }
};

constexpr auto kCodePage = platform::CodePage::Windows1252;
constexpr int kOfflineLine = 234;

std::string bracketFile() { return test::sourceDir() + "/examples/bracket.json"; }

std::shared_ptr<host::HostLocator> inProcessHost(test::PostQueue& queue) {
    std::string error;
    auto files = platform::makeDiskFileSystem();
    auto model = host::sim::loadHostFile(*files, bracketFile(), kCodePage, error);
    if (!model) return nullptr;
    return std::make_shared<host::sim::SimHostLocator>(std::move(*model), queue.poster());
}

// A configured station: the main window on a process whose host comes from the locator.
struct Station {
    test::AppFixture app;
    app::frmMainWindow window{*app.process};
    FixedClock clock;
    app::RunController runs{*app.process, window, clock};

    Station(std::shared_ptr<host::HostLocator> locator, std::vector<std::string> argv)
        : app(std::move(locator), std::move(argv)) {
        app.home.makeFolder("out");
        std::istringstream lines(test::settingsFile(app.home.path(), app.home.file("out"), false));
        for (std::string line; std::getline(lines, line);)
            if (const auto eq = line.find('='); eq != std::string::npos)
                app.settings->write(line.substr(0, eq), line.substr(eq + 1));
        window.setActions({[this] { runs.EventToggleOnline(); }, [this] { runs.importOffline(); },
                           [this] { runs.asciiExport(); }, {}, [this] { runs.leaveOnline(); }});
        runs.setDataEntryOpener([] {});
    }
    void press(const char* button) { window.findChild<QAction*>(button)->trigger(); }
    bool offline() { return window.statusText(1) == app.process->state.texts.line(kOfflineLine); }
    // The one file "ASCII Export" delivered, name and bytes.
    std::string delivered() {
        auto files = test::filesIn(app.home.file("out"));
        if (files.size() != 1) return "files: " + std::to_string(files.size());
        return files[0].filename().string() + "\n" + test::contentOf(files[0]);
    }
};

}  // namespace

class ComWindowTest : public QObject {
    Q_OBJECT

private slots:
    void onlineRunAndExportWriteWhatTheInProcessHostWrites() {
        Station local(inProcessHost(queue_), {"kelmar", "/A"});
        QVERIFY(local.window.startUp());
        queue_.drain();
        QVERIFY(local.offline());
        local.press("Button5");
        const std::string expected = local.delivered();
        QVERIFY2(expected.find("K0001/1 ") != std::string::npos, expected.c_str());

        host::sim::win::SimProcess server(bracketFile());
        QVERIFY(server.ready());
        Station station(std::make_shared<host::win::ComHostLocator>(kCodePage), {"kelmar", "/A"});
        QVERIFY(station.window.startUp());
        // The run ends when the host's end-of-execution event arrives through the event loop.
        QTRY_VERIFY_WITH_TIMEOUT(station.offline(), 60000);
        station.press("Button5");
        QCOMPARE(station.delivered(), expected);
        QCOMPARE(station.app.messages->texts(), local.app.messages->texts());
    }

    void offlineImportAndExportWriteWhatTheInProcessHostWrites() {
        Station local(inProcessHost(queue_), {"kelmar"});
        QVERIFY(local.window.startUp());
        local.press("Button3");
        local.press("Button5");
        const std::string expected = local.delivered();
        QVERIFY2(expected.find("K0001/1 ") != std::string::npos, expected.c_str());

        host::sim::win::SimProcess server(bracketFile());
        QVERIFY(server.ready());
        Station station(std::make_shared<host::win::ComHostLocator>(kCodePage), {"kelmar"});
        QVERIFY(station.window.startUp());
        station.press("Button3");
        station.press("Button5");
        QCOMPARE(station.delivered(), expected);
    }

private:
    test::PostQueue queue_;
};

QTEST_MAIN(ComWindowTest)
#include "com_window_test.moc"
