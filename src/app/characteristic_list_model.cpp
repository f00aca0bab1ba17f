#include "app/characteristic_list_model.h"

#include <QApplication>
#include <QStyle>
#include <QTimer>

namespace kelmar::app {

int CharacteristicListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

QVariant CharacteristicListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_) return {};
    if (role == Qt::DisplayRole) return texts_[index.row()];
    if (role == Qt::CheckStateRole) return checked_[index.row()] ? Qt::Checked : Qt::Unchecked;
    const bool marked = outOfTolerance_ && (role == Qt::BackgroundRole || role == Qt::DecorationRole ||
                                            role == Qt::ForegroundRole) && outOfTolerance_(index.row());
    if (!marked) return {};
    if (role == Qt::BackgroundRole) return outOfToleranceColour();
    if (role == Qt::ForegroundRole) return QColor(Qt::black);  // readable on the red in any palette
    return outOfToleranceIcon();
}

void CharacteristicListModel::setOutOfToleranceRule(std::function<bool(int)> rule) {
    outOfTolerance_ = std::move(rule);
    notifyAllChanged();
}

QIcon CharacteristicListModel::outOfToleranceIcon() {
    static const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    return icon;
}

bool CharacteristicListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= shown_ || role != Qt::CheckStateRole) return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags CharacteristicListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

void CharacteristicListModel::append(const QString& text) {
    texts_.push_back(text);
    checked_.push_back(0);
    if (!flushQueued_) {
        flushQueued_ = true;
        QTimer::singleShot(0, this, &CharacteristicListModel::flush);
    }
}

void CharacteristicListModel::flush() {
    flushQueued_ = false;
    if (shown_ == count()) return;
    beginInsertRows({}, shown_, count() - 1);
    shown_ = count();
    endInsertRows();
    emit rowsAppended();
}

void CharacteristicListModel::clear() {
    beginResetModel();
    texts_.clear();
    checked_.clear();
    shown_ = 0;
    endResetModel();
}

bool CharacteristicListModel::isChecked(int row) const {
    return row >= 0 && row < count() && checked_[row];
}

void CharacteristicListModel::setChecked(int row, bool checked) {
    if (row < 0 || row >= count()) return;
    checked_[row] = checked;
    if (row >= shown_) return;
    QModelIndex at = index(row);
    emit dataChanged(at, at, {Qt::CheckStateRole});
}

QString CharacteristicListModel::text(int row) const {
    return row >= 0 && row < count() ? texts_[row] : QString();
}

void CharacteristicListModel::notifyAllChanged() {
    if (shown_ > 0) emit dataChanged(index(0), index(shown_ - 1), {Qt::CheckStateRole});
}

}  // namespace kelmar::app
