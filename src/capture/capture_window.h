#pragma once
// What capture needs of the main window: the characteristic list lstMM, the
// progress bar and the status panels. The main window implements it; tests fake it.

#include <string>

namespace kelmar::capture {

class CaptureWindow {
public:
    virtual ~CaptureWindow() = default;

    // Appends an entry to lstMM and selects it (the last entry).
    virtual void appendListEntry(const std::string& text) = 0;
    // Removes every entry of lstMM.
    virtual void clearList() = 0;
    // The number of entries of lstMM.
    virtual int listEntryCount() const = 0;

    // Progress bar; each call repaints it. A value past the maximum is ignored by the window.
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressValue(int value) = 0;
    virtual void setProgressVisible(bool visible) = 0;
    // Increases the value by 1 and repaints the bar.
    virtual void stepProgress() = 0;

    // Text of status panel 1 or 2, repainted at once.
    virtual void setStatusPanel(int panel, const std::string& text) = 0;
};

}  // namespace kelmar::capture
