#include "dialogs/fitted_controls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLayout>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <limits>
#include <vector>

namespace kelmar::dialogs {
namespace {

// What a value label asks for at most, and the room a label can give way to; a text as
// short as a key ("K0006") always stays whole.
constexpr int kPreferredDataChars = 30;
constexpr int kMinimumLabelChars = 4;
constexpr int kWholeLabelChars = 6;
// Captions are never shortened below this.
constexpr int kShortestTextChars = 6;
// A combo box's frame and arrow beside its text.
constexpr int kComboDecorationChars = 4;

int characters(const QWidget& widget, int count) { return count * widget.fontMetrics().averageCharWidth(); }

// A toolbar button shows its action's texts, and takes them again whenever the action changes.
QAction* actionOf(const QWidget& control) {
    auto* button = qobject_cast<const QToolButton*>(&control);
    return button ? button->defaultAction() : nullptr;
}

QString captionOf(const QWidget& control) {
    if (auto* button = qobject_cast<const QAbstractButton*>(&control)) return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(&control)) return frame->title();
    return {};
}

// A caption that an earlier fitting shortened has its whole text as tooltip.
QString wholeCaptionOf(const QWidget& control) {
    const QString caption = captionOf(control);
    const QString tip = control.toolTip();
    return caption.endsWith(QChar(0x2026)) && tip.startsWith(caption.chopped(1)) ? tip : caption;
}

// What a shortened text shows as tooltip: the whole text, then any tooltip of its own.
QString wholeTextTip(const QString& whole, const QString& ownTip) {
    return ownTip.isEmpty() || ownTip == whole ? whole : whole + '\n' + ownTip;
}

// An action's whole caption and own tooltip, with what an earlier fitting gave it undone.
std::pair<QString, QString> wholeTextsOf(QAction& action) {
    action.setIconText(QString());
    const QString whole = action.iconText();
    const QString tip = action.toolTip();
    return {whole, tip.startsWith(whole + '\n') ? tip.mid(whole.size() + 1) : tip};
}

void setCaption(QWidget& control, const QString& caption) {
    if (auto* button = qobject_cast<QAbstractButton*>(&control))
        button->setText(caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(&control))
        frame->setTitle(caption);
}

// The width the window's layout needs now, after every cached size is dropped. A toolbar
// needs room for all its buttons: those that do not fit hide behind its extension.
int neededWidth(QWidget& window) {
    for (QWidget* child : window.findChildren<QWidget*>()) child->updateGeometry();
    for (QLayout* layout : window.findChildren<QLayout*>()) layout->invalidate();
    int needed = window.layout() ? window.layout()->totalMinimumSize().width() : window.minimumSizeHint().width();
    for (QToolBar* toolbar : window.findChildren<QToolBar*>())
        if (!toolbar->isHidden() && toolbar->orientation() == Qt::Horizontal)
            needed = std::max(needed, toolbar->sizeHint().width());
    return needed;
}

// A caption, or a combo box sized by its entries, with what it had at first.
struct FittedText {
    QWidget* control;
    QString whole;
    QString ownTip;
    int width;
    int maximumWidth;
};

// Measuring every entry of a large catalog takes long; the widest is among the longest.
constexpr std::size_t kMeasuredEntries = 200;

int widestEntry(const QComboBox& combo) {
    std::vector<QString> entries;
    entries.reserve(static_cast<std::size_t>(combo.count()));
    for (int i = 0; i < combo.count(); ++i) entries.push_back(combo.itemText(i));
    if (entries.size() > kMeasuredEntries)
        std::nth_element(entries.begin(), entries.begin() + kMeasuredEntries, entries.end(),
                         [](const QString& a, const QString& b) { return a.size() > b.size(); });
    const QFontMetrics metrics = combo.fontMetrics();
    int widest = 0;
    for (std::size_t i = 0; i < std::min(entries.size(), kMeasuredEntries); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(entries[i]));
    return widest;
}

// Every text as wide as limit at most. A shortened caption shows its whole text as tooltip;
// a combo box with longer entries is as wide as one whose entries fit limit.
void limitTexts(const std::vector<FittedText>& texts, int limit) {
    for (const FittedText& text : texts) {
        const bool shorten = text.width > limit;
        if (QAction* action = actionOf(*text.control)) {
            action->setIconText(shorten ? text.control->fontMetrics().elidedText(text.whole, Qt::ElideRight, limit)
                                        : QString());
            action->setToolTip(shorten ? wholeTextTip(text.whole, text.ownTip) : text.ownTip);
            continue;
        }
        if (qobject_cast<QComboBox*>(text.control)) {
            // A maximum width holds even where the box's own size hints are cached.
            text.control->setMaximumWidth(shorten ? limit + characters(*text.control, kComboDecorationChars)
                                                  : text.maximumWidth);
            continue;
        }
        setCaption(*text.control,
                   shorten ? text.control->fontMetrics().elidedText(text.whole, Qt::ElideRight, limit) : text.whole);
        text.control->setToolTip(shorten ? wholeTextTip(text.whole, text.ownTip) : text.ownTip);
    }
}

std::vector<FittedText> textsOf(QWidget& window) {
    std::vector<FittedText> texts;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (auto* combo = qobject_cast<QComboBox*>(child)) {
            // One that keeps a width of its own never widens the window.
            if (combo->sizeAdjustPolicy() != QComboBox::AdjustToMinimumContentsLengthWithIcon)
                texts.push_back({child, QString(), QString(), widestEntry(*combo), combo->maximumWidth()});
            continue;
        }
        if (QAction* action = actionOf(*child)) {
            auto [whole, ownTip] = wholeTextsOf(*action);
            texts.push_back(
                {child, whole, ownTip, child->fontMetrics().horizontalAdvance(whole), child->maximumWidth()});
            continue;
        }
        const QString caption = wholeCaptionOf(*child);
        if (!caption.isEmpty())
            texts.push_back(
                {child, caption, QString(), child->fontMetrics().horizontalAdvance(caption), child->maximumWidth()});
    }
    return texts;
}

}  // namespace

FittedLabel::FittedLabel(const QString& text, QWidget* parent, Qt::TextElideMode elide)
    : QLabel(text, parent), elide_(elide) {
    // Texts come from files and settings, never markup.
    setTextFormat(Qt::PlainText);
}

FittedLabel* fittedLabel(const QString& text, const QString& name, QWidget* parent, Qt::TextElideMode elide) {
    auto* label = new FittedLabel(text, parent, elide);
    label->setObjectName(name);
    return label;
}

FittedLabel* valueLabel(const QString& name, QWidget* parent, Qt::TextElideMode elide) {
    auto* label = fittedLabel(QString(), name, parent, elide);
    label->holdsData_ = true;
    return label;
}

QSize FittedLabel::sizeHint() const {
    // A caption asks for its whole text: windows grow to show it. A value asks for a fair width.
    QSize hint = QLabel::sizeHint();
    if (holdsData_) {
        const int decoration = width() - textRoom().width();
        hint.setWidth(std::min(hint.width(), characters(*this, kPreferredDataChars) + decoration));
    }
    return hint;
}

QSize FittedLabel::minimumSizeHint() const {
    QSize hint = QLabel::minimumSizeHint();
    if (!(mayShorten_ || holdsData_) || text().size() <= kWholeLabelChars) return hint;
    const int decoration = width() - textRoom().width();
    hint.setWidth(std::min(hint.width(), characters(*this, kMinimumLabelChars) + decoration));
    return hint;
}

QRect FittedLabel::textRoom() const {
    const int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

bool FittedLabel::shortened() const {
    return !wordWrap() && fontMetrics().horizontalAdvance(text()) > textRoom().width();
}

void FittedLabel::setOwnToolTip(const QString& tip) {
    ownTip_ = tip;
    showWholeTextAsTip();
}

void FittedLabel::showWholeTextAsTip() {
    const QString tip = shortened() ? wholeTextTip(text(), ownTip_) : ownTip_;
    if (toolTip() != tip) setToolTip(tip);
}

void FittedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showWholeTextAsTip();
}

void FittedLabel::paintEvent(QPaintEvent* event) {
    // A text can change without a resize; the tip follows at the next paint.
    showWholeTextAsTip();
    if (!shortened()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect room = textRoom();
    const QString shown = fontMetrics().elidedText(text(), elide_, room.width());
    style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}

void fitComboBox(QComboBox& combo, int screenWidth) {
    // The drop-down opens as wide as its widest entry, within the screen.
    const int decoration =
        2 * combo.view()->frameWidth() + combo.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + characters(combo, 3);
    // The box places its drop-down window at its own width, which the window's minimum overrides.
    combo.view()->window()->setMinimumWidth(std::min(widestEntry(combo) + decoration, screenWidth));
}

void shortenTextsToFit(QWidget& window, int width) {
    const std::vector<FittedText> texts = textsOf(window);
    // A window fitted before shows its texts whole again first.
    limitTexts(texts, std::numeric_limits<int>::max());
    if (neededWidth(window) <= width) return;
    int widest = 0;
    for (const FittedText& text : texts) widest = std::max(widest, text.width);
    const int shortest = characters(window, kShortestTextChars);
    if (widest <= shortest) return;
    // The best width shortening can reach; then the longest texts that still reach it.
    limitTexts(texts, shortest);
    const int best = std::max(neededWidth(window), width);
    int reaches = shortest;
    int fails = widest;
    while (fails - reaches > 2) {
        const int limit = (reaches + fails) / 2;
        limitTexts(texts, limit);
        (neededWidth(window) <= best ? reaches : fails) = limit;
    }
    limitTexts(texts, reaches);
    neededWidth(window);  // leaves no size cached from the trials
}

void FittedLabel::setMayShorten(bool mayShorten) {
    if (mayShorten_ == mayShorten) return;
    mayShorten_ = mayShorten;
    updateGeometry();
}

QSize fittedSize(QWidget& window, QSize designSize, QSize room) {
    // Whole texts first: the window grows to the room they need, from its design size up.
    const QList<FittedLabel*> labels = window.findChildren<FittedLabel*>();
    for (FittedLabel* label : labels) label->setMayShorten(false);
    shortenTextsToFit(window, std::numeric_limits<int>::max());
    if (window.layout()) window.layout()->activate();
    const QSize whole(neededWidth(window), window.minimumSizeHint().height());
    const QSize start = designSize.isValid() ? designSize : window.sizeHint();
    QSize size = start.expandedTo(whole).boundedTo(room);
    // Only a screen too small for them shortens texts.
    if (whole.width() > room.width())
        for (FittedLabel* label : labels) label->setMayShorten(true);
    shortenTextsToFit(window, size.width());
    if (window.layout()) window.layout()->activate();
    return size.expandedTo(window.minimumSizeHint()).boundedTo(room);
}

QRect keptInside(QRect rect, const QRect& room) {
    rect.moveLeft(std::max(room.left(), std::min(rect.left(), room.right() - rect.width() + 1)));
    rect.moveTop(std::max(room.top(), std::min(rect.top(), room.bottom() - rect.height() + 1)));
    return rect;
}

}  // namespace kelmar::dialogs
