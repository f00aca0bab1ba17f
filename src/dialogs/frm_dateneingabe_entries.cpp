// frm_Dateneingabe: loading the lists and the saved entries, Save Data,
// Delete Data and OK.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "capture/trace_fields.h"
#include "dialogs/catalog_list_items.h"
#include "dialogs/field_labels.h"
#include "dialogs/frm_dateneingabe.h"
#include "host/host_step.h"
#include "platform/number_text.h"
#include "platform/paths.h"
#include "platform/product.h"
#include "platform/text.h"
#include "qdas/catalog_entries.h"
#include "qdas/catalog_lookup.h"
#include "qdas/catalog_reader.h"
#include "qdas/value_file.h"
#include "settings/setting_names.h"

namespace kelmar::dialogs {
namespace {

namespace names = settings::names;

// The characteristic classes the form offers when K2005.dat is missing, in the lists' code page;
// only their position is kept.
std::vector<std::string> designClasses(const settings::LanguageTexts& texts, platform::CodePage listCodePage) {
    using settings::Text;
    std::vector<std::string> classes;
    for (Text name : {Text::ClassUnimportant, Text::ClassLittleImportant, Text::ClassImportant, Text::ClassSignificant,
                      Text::ClassCritical})
        classes.push_back(platform::fromUtf8(platform::toUtf8(texts.text(name), texts.codePage), listCodePage));
    return classes;
}

}  // namespace

bool frm_Dateneingabe::load() {
    readLists();
    applyFieldTexts();
    applyLanguage();
    applyEnableFlags();
    if (auto useFolders = process_.settings().readFlag(names::UseFolders)) {
        Frame1_->setEnabled(*useFolders);
        chkFirstPart_->setEnabled(*useFolders);
    }
    return loadSavedEntries();
}

void frm_Dateneingabe::readLists() {
    qdas::CatalogContext context{process_.files(), process_.messages(), process_.state.texts, process_.settings(),
                                 process_.state.programFolder};
    qdas::CatalogChoices choices;
    qdas::ReadCatalog(process_.state.catalog, choices, context);
    qdas::ValueFileChoices values;
    // A missing K2005.dat leaves these in the list.
    values.ComboMMKlasse = designClasses(process_.state.texts, process_.state.codePage);
    for (const char* key : qdas::kValueFileKeys)
        if (!qdas::ReadValueFile(key, values, context))
            process_.messages().information(platform::kApplicationTitle,
                                            process_.state.texts.text(settings::Text::ValueFileMissing, {key}));

    const platform::CodePage codePage = process_.state.codePage;
    auto fill = [&](const char* name, const auto& entries) {
        auto* combo = static_cast<QComboBox*>(control(name));
        addEntries(*combo, entries, codePage);
        combo->setCurrentIndex(-1);  // a list starts with nothing chosen
    };
    fill("comboMaschine", choices.comboMaschine);
    fill("comboPrüfmittel", choices.comboPruefmittel);
    fill("comboPruefer", choices.comboPruefer);
    fill("comboNest", choices.comboNest);
    fill("ComboK2320", values.ComboK2320);
    fill("ComboK2401", values.ComboK2401);
    fill("ComboK2402", values.ComboK2402);
    fill("ComboMMKlasse", values.ComboMMKlasse);
    fill("ComboK1209", values.ComboK1209);
    addEntries(*lstKatalog_, choices.lstKatalog, codePage);
    addEntries(*lstEvents_, choices.lstEvents, codePage);
}

void frm_Dateneingabe::applyFieldTexts() {
    for (const DataEntryField& field : kDataEntryFields)
        if (auto* label = qobject_cast<QLabel*>(control("lbl" + QString::fromLatin1(field.key))))
            label->setText(fieldLabel(process_, field.key));
    frameK00011_->setTitle("K0011/0 " + fieldLabel(process_, "K0011"));
}

void frm_Dateneingabe::applyLanguage() {
    applyCaptions({{"", 107},
                   {"Frame2", 108},
                   {"Frame5", 109},
                   {"Frame3", 110},
                   {"Frame4", 111},
                   {"Frame1", 112},
                   {"Label2", 113},
                   {"Label28", 114},
                   {"cmdOK", 115},
                   {"cmdDeleteData", 116}});
    const bool oneFileForAll = process_.settings().readFlagOr(names::QDV, true, true);
    applyCaptions({{"cmdSaveData", oneFileForAll ? 117 : 118}});
    applyCaptions({{"cmdClearList", 130}});
    chkFirstPart_->setText(" " + text(129));
    const auto& texts = process_.state.texts;
    comboDokumentation_->clear();
    addEntries(*comboDokumentation_, {texts.line(131), texts.line(132)}, texts.codePage);
    comboDokumentation_->setCurrentIndex(-1);
}

void frm_Dateneingabe::applyEnableFlags() {
    for (const DataEntryField& field : kDataEntryFields) {
        if (!field.offered) continue;
        auto on = process_.settings().readFlag(settings::SettingsStore::kFieldName(field.key));
        if (!on) continue;
        if (field.field == capture::field::K0011) {
            frameK00011_->setEnabled(*on);
            continue;
        }
        const QString key = QString::fromLatin1(field.key);
        for (const QString& name : {"Label" + key, "lbl" + key, QString::fromUtf8(field.input)})
            if (QWidget* widget = control(name)) widget->setEnabled(*on);
    }
}

bool frm_Dateneingabe::loadSavedEntries() {
    auto& settings = process_.settings();
    auto use = settings.readFlag(names::UseCFG);
    if (!use) {
        settings.writeCheck(names::UseCFG, true);
        use = settings.readFlag(names::UseCFG);
    }
    if (!use.value_or(true)) return true;
    const std::string path = platform::joinPath(qdas::partDataFolder(process_.state.programFolder),
                                                partDataFileName(settings.readFlagOr(names::QDV, true, false)));
    auto& files = process_.files();
    const bool exists = files.fileExists(path) || files.folderExists(path);
    auto saved = qdas::LoadPartDataFile(files, process_.messages(), process_.state.texts, path);
    process_.state.savedEntriesUnread = exists && !saved;
    if (!saved) return false;
    for (int i = 0; i < qdas::kPartDataLineCount; ++i)
        if (const auto& value = (*saved)[i]) applySaved(qdas::kPartDataLines[i], *value);
    return true;
}

std::string frm_Dateneingabe::partDataFileName(bool oneFileForAll) const {
    std::string part, revision;
    const auto& program = process_.state.connection.ActivePartProgram;
    if (!oneFileForAll && program) {
        part = host::readOr([&] { return program->PartName(); }, std::string());
        revision = host::readOr([&] { return program->RevisionNumber(); }, std::string());
    }
    return qdas::partDataFileName(oneFileForAll, part, revision);
}

// A saved line that does not fit the list as it is now is ignored, so a changed
// catalog or value file never moves a choice onto another line's control.
void frm_Dateneingabe::applySaved(const qdas::PartDataLine& line, const qdas::PartDataValue& value) {
    QWidget* widget = control(line.control);
    switch (line.kind) {
        case qdas::PartDataKind::GroupPosition:
            // Selecting the group lists its events, as a click does.
            if (value.position >= 0 && value.position < lstKatalog_->count())
                lstKatalog_->setCurrentRow(value.position);
            break;
        case qdas::PartDataKind::EventPositions:
            selectRows(*lstEvents_, value.positions);
            break;
        case qdas::PartDataKind::Text:
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                edit->setText(shell::toQt(value.text, process_.state.codePage));
            break;
        case qdas::PartDataKind::ListPosition:
            if (auto* combo = qobject_cast<QComboBox*>(widget); combo && value.position < combo->count())
                combo->setCurrentIndex(std::max(value.position, -1));
            break;
        case qdas::PartDataKind::Caption:
            setProcessParameter(value.text);
            break;
    }
}

qdas::PartDataValue frm_Dateneingabe::savedValue(const qdas::PartDataLine& line) const {
    qdas::PartDataValue value;
    const QWidget* widget = control(line.control);
    switch (line.kind) {
        case qdas::PartDataKind::GroupPosition:
            value.position = selectedEventGroup();
            break;
        case qdas::PartDataKind::EventPositions:
            value.positions = selectedRows(*lstEvents_);
            break;
        case qdas::PartDataKind::Text:
        case qdas::PartDataKind::Caption:
        case qdas::PartDataKind::ListPosition:
            std::tie(value.text, value.position) = controlValue(widget);
            break;
    }
    return value;
}

void frm_Dateneingabe::clearSaved(const qdas::PartDataLine& line) {
    QWidget* widget = control(line.control);
    switch (line.kind) {
        case qdas::PartDataKind::GroupPosition:
            lstKatalog_->clearSelection();
            break;
        case qdas::PartDataKind::EventPositions:
            lstEvents_->clearSelection();
            break;
        case qdas::PartDataKind::Text:
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->clear();
            break;
        case qdas::PartDataKind::ListPosition:
            if (auto* combo = qobject_cast<QComboBox*>(widget)) combo->setCurrentIndex(-1);
            break;
        case qdas::PartDataKind::Caption:
            setProcessParameter("[]");
            break;
    }
}

std::pair<std::string, int> frm_Dateneingabe::controlValue(const QWidget* input) const {
    const platform::CodePage codePage = process_.state.codePage;
    if (auto* edit = qobject_cast<const QLineEdit*>(input)) return {shell::fromQt(edit->text(), codePage), -1};
    if (auto* combo = qobject_cast<const QComboBox*>(input))
        return {entryBytes(*combo, combo->currentIndex()), combo->currentIndex()};
    if (auto* label = qobject_cast<const QLabel*>(input)) return {shell::fromQt(label->text(), codePage), -1};
    return {std::string(), -1};
}

std::string frm_Dateneingabe::fieldText(const DataEntryField& field, const QWidget* input) const {
    if (field.rule == FieldRule::EventNumbers) return selectedEventNumbers(*lstEvents_);
    if (field.rule == FieldRule::GroupNumber) return selectedGroupNumber(*lstKatalog_, process_.state.catalog);
    auto [text, position] = controlValue(input);
    // Typed and chosen texts obey the limits a part program's values obey; they are written as typed.
    const size_t added = field.rule == FieldRule::SerialText ? 1 : 0;  // the "#" before K0006
    if (auto checked = capture::checkedFormText(process_.messages(), process_.state.texts, field.key, text, added))
        text = std::move(*checked);
    return fieldValue(field.rule, text, position);
}

bool frm_Dateneingabe::cmdOK_Click() {
    if (ComboMMKlasse_->isEnabled() && ComboMMKlasse_->currentIndex() < 0) {
        process_.messages().error(platform::kApplicationTitle,
                                  process_.state.texts.text(settings::Text::NeedCharacteristicClass));
        return false;
    }
    const auto* resolutionBox = static_cast<const QLineEdit*>(control(dataEntryField("K2404")->input));
    const std::string resolution = resolutionBox->text().toStdString();
    if (resolutionBox->isEnabled() && !platform::trimBlanks(resolution).empty() && !platform::parseNumber(resolution)) {
        process_.messages().error(platform::kApplicationTitle,
                                  process_.state.texts.text(settings::Text::NeedGageResolution));
        return false;
    }
    auto& record = process_.state.run.PartQdasData[1];
    for (const DataEntryField& field : kDataEntryFields) {
        const QWidget* input = control(field.input);
        // A field switched off under K_Fields_Settings keeps what PartQdasData holds.
        if (field.offered && !(input && input->isEnabled())) continue;
        // Checked only when written, so a kept value never brings a message.
        if (!keepsValue(record, field)) storeField(record, field, fieldText(field, input));
    }
    auto& run = process_.state.run;
    if (chkFirstPart_->isEnabled()) run.ReworkedPartFlag = chkFirstPart_->isChecked();
    process_.state.savedEntriesUnread = false;
    process_.state.savedEntriesRefused = false;
    confirmed_ = true;
    close();
    mainWindow_.show();
    if (process_.state.minimise) mainWindow_.showMinimized();
    return true;
}

void frm_Dateneingabe::cmdSaveData_Click() {
    qdas::PartData data;
    for (int i = 0; i < qdas::kPartDataLineCount; ++i) data[i] = savedValue(qdas::kPartDataLines[i]);
    const bool oneFileForAll = process_.settings().readFlagOr(names::QDV, true, false);
    qdas::SavePartDataFile(process_.files(), process_.messages(), process_.state.texts, process_.state.programFolder,
                           partDataFileName(oneFileForAll), data);
}

void frm_Dateneingabe::cmdDeleteData_Click() {
    // Only the form is cleared; the saved file stays.
    for (const qdas::PartDataLine& line : qdas::kPartDataLines) clearSaved(line);
}

}  // namespace kelmar::dialogs
