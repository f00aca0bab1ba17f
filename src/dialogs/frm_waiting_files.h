#pragma once
// The measurements that wait to be delivered: each with its time, its destination and
// the reason it waits, and "Deliver now" to try them again.

#include <functional>
#include <vector>

#include "dialogs/dialog_support.h"
#include "qdas/waiting_files.h"

class QLabel;
class QTreeWidget;

namespace kelmar::dialogs {

// Where the window gets its list and how it delivers: handed in by the main window.
struct WaitingFilesSource {
    std::function<std::vector<qdas::WaitingSet>()> list;
    std::function<qdas::Redelivery()> deliver;
};

class frm_WaitingFiles final : public DialogBase {
    Q_OBJECT

public:
    frm_WaitingFiles(shell::KelmarProcess& process, QWidget& mainWindow, WaitingFilesSource source);

    // Lists what waits now.
    void refresh();
    void cmdDeliverNow_Click();

private:
    WaitingFilesSource source_;
    QTreeWidget* lstWaiting_;
    QLabel* lblResult_;
    // The list's width with every column whole, as last listed.
    int contentsWidth_ = 0;
};

// The status-bar text for a number of waiting measurements; empty for none.
QString waitingCountText(const settings::LanguageTexts& texts, int count);

}  // namespace kelmar::dialogs
