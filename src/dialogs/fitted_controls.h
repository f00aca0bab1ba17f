#pragma once
// Controls whose texts come from language lines, settings and catalogs, and so can be
// of any length: none of them may widen its window beyond the size it was designed for.

#include <QLabel>

class QComboBox;
class QWidget;

namespace kelmar::dialogs {

// A plain-text label that gives way when room is short: its text is then drawn
// shortened with an ellipsis and the whole text becomes its tooltip. text() stays whole.
class FittedLabel final : public QLabel {
    Q_OBJECT

public:
    FittedLabel(const QString& text, QWidget* parent, Qt::TextElideMode elide = Qt::ElideRight);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect textRoom() const;
    bool shortened() const;
    void showWholeTextAsTip();

    Qt::TextElideMode elide_;
};

// A FittedLabel carrying its system name.
FittedLabel* fittedLabel(const QString& text, const QString& name, QWidget* parent);

// A combo box whose drop-down shows its entries whole, as far as the screen allows.
void fitComboBox(QComboBox& combo, int screenWidth);

// Shortens the captions of buttons and frames, and narrows combo boxes sized by their entries,
// the widest first, until window's layout needs no more than width (or as little as it can).
// Each shortened caption keeps its whole text as tooltip.
void shortenTextsToFit(QWidget& window, int width);

}  // namespace kelmar::dialogs
