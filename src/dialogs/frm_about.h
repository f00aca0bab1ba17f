#pragma once
// The About box: title, version, description, notice and the legal notice.

#include "dialogs/dialog_support.h"

namespace kelmar::dialogs {

class frm_About final : public DialogBase {
    Q_OBJECT

public:
    frm_About(shell::KelmarProcess& process, QWidget& mainWindow);
};

// The legal notice of the program's version information.
inline constexpr const char* kLegalNotice = "Copyright (C) Kelmar developers. All rights reserved.";

}  // namespace kelmar::dialogs
