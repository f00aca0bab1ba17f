#include "app/app_fixture.h"
#include "app/frm_main_window.h"
#include "dialogs/frm_add_qdas_data.h"
#include "dialogs/frm_dateneingabe.h"
#include "qdas/catalog_entries.h"
#include "qdas/description.h"
#include "qdas/value_block.h"
#include "qdas/written_characteristics.h"
#include "settings/setting_names.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace kelmar;

namespace {

struct Started {
    test::HostFileBuilder host;
    test::AppFixture app{&host};
    app::frmMainWindow window{*app.process};
    dialogs::DataEntryForm dataEntry{*app.process, window};

    Started() {
        app.settings->write(settings::names::CatalogPathName, app.home.file("Catalogs/MyCatalog.dfd"));
        app.settings->write(settings::names::UseCFG, "0");
        window.startUp();
    }
    void addCharacteristics(int count) {
        for (int i = 0; i < count; ++i) {
            app.process->state.run.appendCharacteristic()->Name = "DIM" + std::to_string(i + 1);
            window.appendListEntry("DIM" + std::to_string(i + 1));
        }
    }
    dialogs::frmAddQdasData* open() { return new dialogs::frmAddQdasData(*app.process, window, dataEntry); }
    capture::RunData& run() { return app.process->state.run; }
};

}  // namespace

class AddQdasDataTest : public QObject {
    Q_OBJECT

private slots:
    void storesEventsAndGroupForTheCurrentCharacteristic() {
        Started s;
        s.addCharacteristics(3);  // the last one is current
        auto* dialog = s.open();
        QCOMPARE(dialog->findChild<QLabel*>("lblKey")->text(), QString("K0005/3"));
        QCOMPARE(dialog->findChild<QLabel*>("lblK2060")->text(), QString("K2060/3"));
        QVERIFY(dialog->windowTitle().endsWith(" 3"));

        auto* groups = dialog->findChild<QListWidget*>("lstKatalog");
        auto* events = dialog->findChild<QListWidget*>("lstEvents");
        QCOMPARE(groups->count(), static_cast<int>(s.dataEntry.form().eventGroupEntries().size()));
        QVERIFY(groups->count() >= 2);
        groups->setCurrentRow(0);  // the first group lists every event
        QCOMPARE(events->count(), s.app.process->state.catalog.EventCount());
        events->item(0)->setSelected(true);
        events->item(2)->setSelected(true);
        std::string expected = std::to_string(qdas::ExtractCatalogNumber(events->item(0)->text().toStdString())) + "," +
                               std::to_string(qdas::ExtractCatalogNumber(events->item(2)->text().toStdString()));
        dialog->findChild<QPushButton*>("cmdOK")->click();

        QVERIFY(s.run().qdasDataUpper() >= 3);
        const auto& fields = s.run().CharacteristicQdasData[3].fields;
        QCOMPARE(fields[capture::field::K0005], expected);
        QCOMPARE(fields[capture::field::K2060], std::to_string(s.app.process->state.catalog.EventGroupTable[1].number));
        QVERIFY(s.run().CharacteristicQdasData[2].fields[capture::field::K0005].empty());

        // The written file carries them for the third characteristic only.
        struct Clock final : qdas::Clock {
            qdas::DateTime now() const override { return {}; }
        } clock;
        qdas::QdasLines lines;
        auto written = qdas::writtenCharacteristics(s.run(), 3);
        qdas::WriteDescription(s.run(), written, {}, {}, lines);
        qdas::WriteValueBlock(s.run(), written, clock, lines);
        const std::string& file = lines.text();
        QVERIFY(file.find("\r\nK2060/3 0\r\n") != std::string::npos);
        QVERIFY(file.find("K2060/2") == std::string::npos);
        QVERIFY(file.find("\r\nK0005/3 " + expected + "\r\n") != std::string::npos);
    }

    void noSelectionStoresEmptyTextsAndCancelStoresNothing() {
        Started s;
        s.addCharacteristics(2);
        s.run().growQdasData(2);
        s.run().CharacteristicQdasData[2].fields[capture::field::K0005] = "9";
        auto* dialog = s.open();
        dialog->findChild<QPushButton*>("cmdCancel")->click();
        QCOMPARE(s.run().CharacteristicQdasData[2].fields[capture::field::K0005], std::string("9"));

        dialog = s.open();
        dialog->findChild<QPushButton*>("cmdOK")->click();
        QCOMPARE(s.run().CharacteristicQdasData[2].fields[capture::field::K0005], std::string(""));
        QCOMPARE(s.run().CharacteristicQdasData[2].fields[capture::field::K2060], std::string(""));
    }

    void emptyListShowsThePlainKeysAndStoresNothing() {
        Started s;
        auto* dialog = s.open();
        QCOMPARE(dialog->findChild<QLabel*>("lblKey")->text(), QString("K0005"));
        QCOMPARE(dialog->findChild<QLabel*>("lblK2060")->text(), QString("K2060"));
        dialog->findChild<QPushButton*>("cmdOK")->click();
        QCOMPARE(s.run().qdasDataUpper(), -1);
    }
};

QTEST_MAIN(AddQdasDataTest)
#include "frm_add_qdas_data_test.moc"
