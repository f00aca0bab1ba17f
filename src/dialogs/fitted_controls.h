#pragma once
// Controls whose texts come from language lines, settings and catalogs, and so can be
// of any length: none of them may widen its window beyond the size it was designed for.

#include <QLabel>
#include <QRect>

class QComboBox;
class QWidget;

namespace kelmar::dialogs {

// A plain-text label that asks for its whole text and, once allowed to, gives way when room
// is short: its text is then drawn shortened with an ellipsis and the whole text becomes
// its tooltip. text() stays whole.
class FittedLabel final : public QLabel {
    Q_OBJECT

public:
    FittedLabel(const QString& text, QWidget* parent, Qt::TextElideMode elide = Qt::ElideRight);

    // A tooltip of the label's own: shown while the text is whole, below the whole text otherwise.
    void setOwnToolTip(const QString& tip);

    // Whether the label may be narrower than its text: only where the screen is too small.
    void setMayShorten(bool mayShorten);
    // A value label: its text is shortened to the room its window has, by design.
    bool holdsData() const { return holdsData_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect textRoom() const;
    bool shortened() const;
    void showWholeTextAsTip();

    friend FittedLabel* valueLabel(const QString& name, QWidget* parent, Qt::TextElideMode elide);

    Qt::TextElideMode elide_;
    bool mayShorten_ = false;
    // A value (a path, a part name) rather than a caption: it never widens its window.
    bool holdsData_ = false;
    QString ownTip_;
};

// A FittedLabel carrying its system name.
FittedLabel* fittedLabel(const QString& text, const QString& name, QWidget* parent,
                         Qt::TextElideMode elide = Qt::ElideRight);

// A FittedLabel for a value of any length (a path, a name from the host): it takes the room
// its window has and shortens its text to it.
FittedLabel* valueLabel(const QString& name, QWidget* parent, Qt::TextElideMode elide = Qt::ElideRight);

// Window sizes are designed in twips, 15 to a pixel.
constexpr int pixelsFromTwips(int twips) { return twips / 15; }

// A combo box whose drop-down shows its entries whole, as far as the screen allows.
void fitComboBox(QComboBox& combo, int screenWidth);

// Shortens the captions of buttons (toolbar buttons too) and frames, and narrows combo boxes sized
// by their entries, the widest first, until window's layout and toolbars need no more than width
// (or as little as they can). Each shortened caption keeps its whole text as tooltip.
void shortenTextsToFit(QWidget& window, int width);

// The size window (its frame not counted) takes within room: its design size (its size hint
// when it has none), grown to show every text whole; texts are shortened only until its
// layout fits a room too small for them.
QSize fittedSize(QWidget& window, QSize designSize, QSize room);

// rect moved, as little as it takes, to lie inside room.
QRect keptInside(QRect rect, const QRect& room);

}  // namespace kelmar::dialogs
