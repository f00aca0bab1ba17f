#pragma once
// The rows of lstMM: one text and one check mark per Characteristic. Appended
// rows reach the views once per turn of the event loop, in one insertion: a
// run that captures thousands of values between two turns costs the view one
// update, not one per row.

#include <QAbstractListModel>
#include <QColor>
#include <QIcon>
#include <QString>

#include <functional>
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

    // Rows the rule names are drawn marked: a red background and a warning icon.
    void setOutOfToleranceRule(std::function<bool(int)> rule);
    // The colour and the icon of a marked row, for the legend.
    static QColor outOfToleranceColour() { return QColor(255, 190, 190); }
    static QIcon outOfToleranceIcon();

    void append(const QString& text);
    // Hands appended rows to the views now (otherwise at the next turn of the event loop).
    void flush();
    void clear();
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // Checks rows by a rule in one pass, with one change signal.
    template <class Rule>
    void checkWhere(Rule rule) {
        for (size_t i = 0; i < checked_.size(); ++i) checked_[i] = rule(static_cast<int>(i));
        notifyAllChanged();
    }
    // Every row, also those the views have not been told of yet.
    int count() const { return static_cast<int>(texts_.size()); }
    QString text(int row) const;

signals:
    // Rows were handed to the views; the last row is the newest.
    void rowsAppended();

private:
    void notifyAllChanged();

    std::function<bool(int)> outOfTolerance_;
    std::vector<QString> texts_;
    std::vector<char> checked_;
    // The rows the views know of.
    int shown_ = 0;
    bool flushQueued_ = false;
};

}  // namespace kelmar::app
