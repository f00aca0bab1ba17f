#include "dialogs/frm_waiting_files.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "shell/qt_text.h"
#include "platform/paths.h"

namespace kelmar::dialogs {
namespace {

// The window's own texts, kept together until they come from the language files.
constexpr const char* kCaption = "Waiting files";
constexpr const char* kColumns[] = {"File", "Kept", "Destination", "Why it waits"};
constexpr const char* kDeliverNow = "Deliver now";
constexpr const char* kClose = "Close";
constexpr const char* kIncomplete = "incomplete";
constexpr const char* kNoDestination = "unknown: please upload it by hand";
constexpr const char* kDelivered = "%1 delivered, %2 still waiting.";
constexpr const char* kOneWaiting = "1 measurement waits";
constexpr const char* kManyWaiting = "%1 measurements wait";

QString shown(const std::string& bytes) { return shell::toQt(bytes, platform::installationCodePage()); }

QString destinationText(const qdas::WaitingSet& set) {
    if (set.incomplete) return QString::fromLatin1(kIncomplete);
    if (!set.routing) return QString::fromLatin1(kNoDestination);
    QStringList folders;
    for (const std::string& folder : qdas::resultFolders(*set.routing)) folders << shown(folder);
    if (set.routing->monitor) folders << shown(set.routing->monitoringFolder);
    return folders.join(QStringLiteral(", "));
}

}  // namespace

QString waitingCountText(int count) {
    if (count <= 0) return {};
    return count == 1 ? QString::fromLatin1(kOneWaiting) : QString::fromLatin1(kManyWaiting).arg(count);
}

frm_WaitingFiles::frm_WaitingFiles(shell::KelmarProcess& process, QWidget& mainWindow, WaitingFilesSource source)
    : DialogBase(process, mainWindow, "frm_WaitingFiles"), source_(std::move(source)) {
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* layout = new QVBoxLayout(this);
    lstWaiting_ = new QTreeWidget(this);
    lstWaiting_->setObjectName("lstWaiting");
    lstWaiting_->setRootIsDecorated(false);
    lstWaiting_->setColumnCount(4);
    QStringList headers;
    for (const char* column : kColumns) headers << QString::fromLatin1(column);
    lstWaiting_->setHeaderLabels(headers);
    lstWaiting_->header()->setStretchLastSection(true);
    layout->addWidget(lstWaiting_, 1);
    lblResult_ = new QLabel(this);
    lblResult_->setObjectName("lblResult");
    lblResult_->setWordWrap(true);
    layout->addWidget(lblResult_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* deliver = new QPushButton(QString::fromLatin1(kDeliverNow), this);
    deliver->setObjectName("cmdDeliverNow");
    deliver->setDefault(true);
    auto* close = new QPushButton(QString::fromLatin1(kClose), this);
    close->setObjectName("cmdClose");
    row->addWidget(deliver);
    row->addWidget(close);
    layout->addLayout(row);
    connect(deliver, &QPushButton::clicked, this, &frm_WaitingFiles::cmdDeliverNow_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    setDesignSize(10005, 4500);
    refresh();
}

void frm_WaitingFiles::refresh() {
    lstWaiting_->clear();
    for (const qdas::WaitingSet& set : source_.list ? source_.list() : std::vector<qdas::WaitingSet>{}) {
        auto* item = new QTreeWidgetItem(lstWaiting_);
        item->setText(0, shown(platform::joinPath(set.folder, set.fileName())));
        item->setText(1, shown(set.kept));
        item->setText(2, destinationText(set));
        item->setText(3, shown(set.reason));
        for (int column = 0; column < 4; ++column) item->setToolTip(column, item->text(column));
    }
    for (int column = 0; column < 3; ++column) lstWaiting_->resizeColumnToContents(column);
}

void frm_WaitingFiles::cmdDeliverNow_Click() {
    if (!source_.deliver) return;
    const qdas::Redelivery result = source_.deliver();
    lblResult_->setText(QString::fromLatin1(kDelivered).arg(result.delivered).arg(result.waiting));
    refresh();
}

}  // namespace kelmar::dialogs
