#pragma once
// The main window as capture and the writer see it.

#include "app/frm_main_window.h"
#include "capture/capture_window.h"
#include "qdas/writer_window.h"

namespace kelmar::app {

class MainWindowPorts final : public capture::CaptureWindow, public qdas::WriterWindow {
public:
    explicit MainWindowPorts(frmMainWindow& window) : window_(window) {}

    // Capture.
    void appendListEntry(const std::string& text) override { window_.appendListEntry(text); }
    void clearList() override { window_.listModel().clear(); }
    int listEntryCount() const override { return window_.listModel().count(); }
    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;
    void setProgressVisible(bool visible) override;
    void stepProgress() override;
    void setStatusPanel(int panel, const std::string& text) override { window_.setStatusText(panel, text); }

    // Writer.
    int characteristicListCount() const override { return window_.listModel().count(); }
    void markAllCharacteristics() override;
    std::string lblPath() const override { return window_.outputPath(); }
    std::string lblOrvSerNumber() const override { return window_.partInformation(2); }
    std::string lblOrvPartName() const override { return window_.partInformation(0); }
    std::string lblOrvRevNumber() const override { return window_.partInformation(1); }
    void setStatusText(const std::string& text) override { window_.setStatusText(1, text); }

private:
    frmMainWindow& window_;
};

}  // namespace kelmar::app
