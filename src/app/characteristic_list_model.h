#pragma once
// The rows of lstMM: one text and one check mark per Characteristic. A model
// rather than item widgets, so a run of 32767 rows appends without relayouts.

#include <QAbstractListModel>
#include <QString>

#include <vector>

namespace kelmar::app {

class CharacteristicListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void append(const QString& text);
    void clear();
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // Checks rows by a rule in one pass, with one change signal.
    template <class Rule>
    void checkWhere(Rule rule) {
        for (size_t i = 0; i < checked_.size(); ++i) checked_[i] = rule(static_cast<int>(i));
        notifyAllChanged();
    }
    int count() const { return static_cast<int>(texts_.size()); }
    QString text(int row) const;

private:
    void notifyAllChanged();

    std::vector<QString> texts_;
    std::vector<char> checked_;
};

}  // namespace kelmar::app
