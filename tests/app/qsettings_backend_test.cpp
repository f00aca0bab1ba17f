#include "app/qsettings_backend.h"
#include "settings/settings_store.h"
#include "support/temp_folder.h"

#include <QtTest>

using namespace kelmar;

class QSettingsBackendTest : public QObject {
    Q_OBJECT

private slots:
    void writesTheIniLayoutOtherToolsRelyOn() {
        test::TempFolder dir;
        QString ini = QString::fromStdString(dir.file("settings.ini"));
        {
            app::QSettingsBackend backend(ini, platform::CodePage::Windows1252);
            settings::SettingsStore store(backend);
            QVERIFY(store.writeInt("Language", 2));
            QVERIFY(store.writeBool("DimensionNumber", false));
            QVERIFY(store.writeCheck(settings::SettingsStore::kFieldName("K0006"), true));
            QVERIFY(store.writeText("DIR", "/srv/q, das"));
            QVERIFY(store.writeText("TXTK0006", "Pr\xFC" "fer"));  // Prüfer in 1252
        }
        std::string content = dir.read("settings.ini");
        QVERIFY(content.find("[General]") != std::string::npos);
        QVERIFY(content.find("Language=2") != std::string::npos);
        QVERIFY(content.find("[K_Fields_Settings]") != std::string::npos);
        QVERIFY(content.find("K0006=1") != std::string::npos);

        app::QSettingsBackend again(ini, platform::CodePage::Windows1252);
        settings::SettingsStore store(again);
        QCOMPARE(store.languageNumber(), 2);
        QCOMPARE(store.readFlag("DimensionNumber"), std::optional<bool>(false));
        QCOMPARE(store.readFlag("K_Fields_Settings\\K0006"), std::optional<bool>(true));
        QCOMPARE(store.readText("DIR"), std::optional<std::string>("/srv/q, das"));
        QCOMPARE(store.readText("TXTK0006"), std::optional<std::string>("Pr\xFC" "fer"));
        QVERIFY(!store.readText("K0006"));
    }

    void handEditedAndBrokenFilesReadAsTheConventionSays() {
        test::TempFolder dir;
        std::string path = dir.write("settings.ini",
                                     "[General]\nFileName1=abc\nDIR=/a, b\nUseQPos=TRUE\n\x01\x02garbage=\n"
                                     "[K_Fields_Settings]\nK2005=0\n");
        app::QSettingsBackend backend(QString::fromStdString(path), platform::CodePage::Windows1252);
        settings::SettingsStore store(backend);
        QVERIFY(!store.readInt("FileName1"));
        QCOMPARE(store.readText("DIR"), std::optional<std::string>("/a, b"));
        QCOMPARE(store.readFlag("UseQPos"), std::optional<bool>(true));
        QCOMPARE(store.readFlag("K_Fields_Settings\\K2005"), std::optional<bool>(false));
        QVERIFY(!store.readText("Missing"));
    }

    void unwritableFileReportsFailureWithoutThrowing() {
        app::QSettingsBackend backend(QStringLiteral("/proc/kelmar-no-such/settings.ini"),
                                      platform::CodePage::Windows1252);
        settings::SettingsStore store(backend);
        QVERIFY(!store.writeText("DIR", "/x"));
    }
};

QTEST_GUILESS_MAIN(QSettingsBackendTest)
#include "qsettings_backend_test.moc"
