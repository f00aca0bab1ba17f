#pragma once
// frm_Dateneingabe, "Input Dialog for Q-DAS Data": the Q-DAS data that is the
// same for every characteristic of a part, chosen from the catalog and the
// value files, saved to a PartDataFile and copied into PartQdasData by OK.

#include <QPointer>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialog_support.h"
#include "dialogs/frm_dateneingabe_fields.h"
#include "dialogs/frm_k0011.h"
#include "qdas/part_data_file.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kelmar::dialogs {

class frm_Dateneingabe final : public DialogBase {
    Q_OBJECT

public:
    // Builds the form and loads it: lists, captions, enable flags and the saved entries.
    frm_Dateneingabe(shell::KelmarProcess& process, QWidget& mainWindow);
    ~frm_Dateneingabe() override;

    // Shows the form centred on the main window with the focus on OK. Under /I a load
    // that read its saved entries confirms the form at once instead.
    void openForm();
    // Closed by OK or by its window; it is then on its way out and not opened again.
    bool unloaded() const { return unloaded_; }

    // The event groups as lstKatalog lists them (code-page bytes) and the selected one
    // (-1 for none): the Add Q-DAS data dialog copies them.
    std::vector<std::string> eventGroupEntries() const;
    int selectedEventGroup() const;

    // The caption of lblProcessParameter: the K0011 value the K0011 dialog composes.
    std::string processParameter() const;
    void setProcessParameter(const std::string& text);

    // The K0011 dialog while it is open.
    frmK0011* k0011Dialog() const { return k0011_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct RowDesign;
    void buildControls();
    QGroupBox* buildFieldFrame(const char* name, const char* caption, std::span<const RowDesign> rows);
    void addFieldRow(QGridLayout& grid, int row, const RowDesign& design);
    QGroupBox* buildProcessParameterFrame();
    QGroupBox* buildEventsFrame();
    QWidget* control(const QString& name) const;
    QWidget* control(const char* name) const { return control(QString::fromUtf8(name)); }

    // Load, in its order; false when the saved entries were wanted but could not be read.
    bool load();
    void readLists();
    void applyFieldTexts();
    void applyLanguage();
    void applyEnableFlags();
    bool loadSavedEntries();
    std::string partDataFileName(bool oneFileForAll) const;

    void applySaved(const qdas::PartDataLine& line, const qdas::PartDataValue& value);
    qdas::PartDataValue savedValue(const qdas::PartDataLine& line) const;
    void clearSaved(const qdas::PartDataLine& line);

    // The text and list position a control gives its field.
    std::pair<std::string, int> controlValue(const QWidget* input) const;
    std::string fieldText(const DataEntryField& field, const QWidget* input) const;

    bool cmdOK_Click();
    void cmdSaveData_Click();
    void cmdDeleteData_Click();
    void cmdClearList_Click();
    void cmdK0011_Click();
    void lstKatalog_Click();

    bool confirmOnOpen_ = false;
    bool unloaded_ = false;
    // Closed by OK, with the values written.
    bool confirmed_ = false;
    QPointer<frmK0011> k0011_;

    QListWidget* lstKatalog_ = nullptr;
    QListWidget* lstEvents_ = nullptr;
    QLabel* lblProcessParameter_ = nullptr;
    QGroupBox* frameK00011_ = nullptr;
    QGroupBox* Frame1_ = nullptr;
    QCheckBox* chkFirstPart_ = nullptr;
    QComboBox* comboDokumentation_ = nullptr;
    QComboBox* ComboMMKlasse_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

// The one data entry form of the process, created on first use: opening it
// again while it is open raises it; otherwise every opening loads it afresh.
class DataEntryForm {
public:
    DataEntryForm(shell::KelmarProcess& process, QWidget& mainWindow);
    ~DataEntryForm();
    DataEntryForm(const DataEntryForm&) = delete;
    DataEntryForm& operator=(const DataEntryForm&) = delete;

    // Shows the form, loaded afresh unless it is open (on screen or behind its K0011 dialog).
    void open();
    // The form, created and loaded but not shown when there is none.
    frm_Dateneingabe& form();
    // The form when one is loaded, else null.
    frm_Dateneingabe* current() const;

private:
    shell::KelmarProcess& process_;
    QWidget& mainWindow_;
    QPointer<frm_Dateneingabe> form_;
};

}  // namespace kelmar::dialogs
