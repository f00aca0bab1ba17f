#pragma once
// What the Q-DAS writer and the distribution need from the main window. The
// main window implements it; tests fake it.

#include <string>

namespace kelmar::qdas {

class WriterWindow {
public:
    virtual ~WriterWindow() = default;

    // Number of entries of the characteristic list lstMM (entry k-1 shows record k).
    virtual int characteristicListCount() const = 0;
    // Marks every entry of lstMM as selected and refreshes the list.
    virtual void markAllCharacteristics() = 0;

    // Caption of lblPath: the folder chosen in the path selection dialog.
    virtual std::string lblPath() const = 0;
    // Captions of the part information labels.
    virtual std::string lblOrvSerNumber() const = 0;
    virtual std::string lblOrvPartName() const = 0;
    virtual std::string lblOrvRevNumber() const = 0;

    // Text of the first status-bar panel.
    virtual void setStatusText(const std::string& text) = 0;
};

}  // namespace kelmar::qdas
