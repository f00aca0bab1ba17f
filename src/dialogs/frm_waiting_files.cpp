#include "dialogs/frm_waiting_files.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/qt_text.h"
#include "platform/paths.h"

namespace kelmar::dialogs {
namespace {

// The width it was designed with, in pixels.
constexpr int kDesignWidth = 10005 / 15;

using settings::Text;

QString shown(const std::string& bytes) { return shell::toQt(bytes, platform::installationCodePage()); }

QString textOf(const settings::LanguageTexts& texts, Text id) { return shell::toQt(texts.text(id), texts.codePage); }

QString destinationText(const settings::LanguageTexts& texts, const qdas::WaitingSet& set) {
    if (set.incomplete) return textOf(texts, Text::WaitingIncomplete);
    if (!set.routing) return textOf(texts, Text::WaitingNoDestination);
    QStringList folders;
    for (const std::string& folder : qdas::resultFolders(*set.routing)) folders << shown(folder);
    if (set.routing->monitor) folders << shown(set.routing->monitoringFolder);
    return folders.join(QStringLiteral(", "));
}

}  // namespace

QString waitingCountText(const settings::LanguageTexts& texts, int count) {
    if (count <= 0) return {};
    if (count == 1) return textOf(texts, Text::OneMeasurementWaits);
    return shell::toQt(texts.text(Text::MeasurementsWait, {std::to_string(count)}), texts.codePage);
}

frm_WaitingFiles::frm_WaitingFiles(shell::KelmarProcess& process, QWidget& mainWindow, WaitingFilesSource source)
    : DialogBase(process, mainWindow, "frm_WaitingFiles"), source_(std::move(source)) {
    const settings::LanguageTexts& texts = process.state.texts;
    setWindowTitle(textOf(texts, Text::WaitingFilesCaption));
    auto* layout = new QVBoxLayout(this);
    lstWaiting_ = new QTreeWidget(this);
    lstWaiting_->setObjectName("lstWaiting");
    lstWaiting_->setRootIsDecorated(false);
    lstWaiting_->setColumnCount(4);
    QStringList headers;
    for (Text column : {Text::WaitingColumnFile, Text::WaitingColumnKept, Text::WaitingColumnDestination,
                        Text::WaitingColumnReason})
        headers << textOf(texts, column);
    lstWaiting_->setHeaderLabels(headers);
    lstWaiting_->header()->setStretchLastSection(true);
    layout->addWidget(lstWaiting_, 1);
    lblResult_ = new QLabel(this);
    lblResult_->setObjectName("lblResult");
    lblResult_->setWordWrap(true);
    layout->addWidget(lblResult_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* deliver = new QPushButton(textOf(texts, Text::DeliverNow), this);
    deliver->setObjectName("cmdDeliverNow");
    deliver->setDefault(true);
    auto* close = new QPushButton(textOf(texts, Text::CloseButton), this);
    close->setObjectName("cmdClose");
    row->addWidget(deliver);
    row->addWidget(close);
    layout->addLayout(row);
    connect(deliver, &QPushButton::clicked, this, &frm_WaitingFiles::cmdDeliverNow_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    refresh();
    // Opens wide enough for what waits now, within the screen; the user may narrow it down to its headings.
    const QScreen* shownOn = mainWindow.screen();
    const int widest = shownOn ? shownOn->availableGeometry().width() * 9 / 10 : kDesignWidth;
    setDesignSize(std::clamp(contentsWidth_ + 2 * layout->contentsMargins().left(), kDesignWidth, widest) * 15, 4500);
}

void frm_WaitingFiles::refresh() {
    lstWaiting_->clear();
    const settings::LanguageTexts& texts = process_.state.texts;
    for (const qdas::WaitingSet& set : source_.list ? source_.list() : std::vector<qdas::WaitingSet>{}) {
        auto* item = new QTreeWidgetItem(lstWaiting_);
        item->setText(0, shown(platform::joinPath(set.folder, set.fileName())));
        item->setText(1, shown(set.kept));
        item->setText(2, destinationText(texts, set));
        item->setText(3, set.incomplete && set.reason.empty() ? textOf(texts, Text::RunCutOff) : shown(set.reason));
        for (int column = 0; column < 4; ++column) item->setToolTip(column, item->text(column));
    }
    // Every column as wide as its entries and its heading; every heading always whole.
    const int decoration =
        2 * lstWaiting_->frameWidth() + lstWaiting_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    contentsWidth_ = decoration;
    int headings = decoration;
    for (int column = 0; column < lstWaiting_->columnCount(); ++column) {
        lstWaiting_->resizeColumnToContents(column);
        contentsWidth_ += lstWaiting_->header()->sectionSize(column);
        headings += lstWaiting_->header()->sectionSizeHint(column);
    }
    lstWaiting_->setMinimumWidth(headings);
}

void frm_WaitingFiles::cmdDeliverNow_Click() {
    if (!source_.deliver) return;
    const qdas::Redelivery result = source_.deliver();
    const settings::LanguageTexts& texts = process_.state.texts;
    lblResult_->setText(shell::toQt(texts.text(Text::DeliveredAndWaiting, {std::to_string(result.delivered),
                                                                           std::to_string(result.waiting)}),
                                    texts.codePage));
    refresh();
}

}  // namespace kelmar::dialogs
